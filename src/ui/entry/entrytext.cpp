#include "ui/entry/entrytext.h"

#include "ui/support/qttext.h"

namespace discora {

const char* appendOutOfMemoryMessage(ValueListId list)
{
    switch (list) {
    case ValueListId::Artist: return "Not enough memory to add more Groups/Artists.";
    case ValueListId::Label: return "Not enough memory to add more Labels.";
    case ValueListId::Quality: return "Not enough memory to add different qualities.";
    case ValueListId::AlbumName: return "Not enough memory to add more album names";
    case ValueListId::Producer: return "Not enough memory to add more Producers";
    case ValueListId::MusicType: return "Not enough memory to add more music types";
    case ValueListId::MediaType: return "Not enough memory to add more media types";
    case ValueListId::Location: return "Not enough memory to add more locations.";
    }
    return "";
}

const char* fillOutOfMemoryMessage(ValueListId list)
{
    switch (list) {
    case ValueListId::Artist: return "Not enough memory to add more Artists";
    case ValueListId::Producer: return "Not enough memory to add more Producers";
    case ValueListId::MediaType: return "Not enough memory to add more Media Types";
    case ValueListId::MusicType: return "Not enough memory to add more Music Types";
    case ValueListId::AlbumName: return "Not enough memory to add more Album Names";
    case ValueListId::Label: return "Not enough memory to add more Labels.";
    case ValueListId::Quality: return "Not enough memory to add any more different Qualities.";
    case ValueListId::Location: return "Not enough memory to add more Locations.";
    }
    return "";
}

QString notesForDisplay(std::string_view stored)
{
    QString text = toQt(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string notesForCatalogue(const QString& shown)
{
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return toStd(text);
}

} // namespace discora
