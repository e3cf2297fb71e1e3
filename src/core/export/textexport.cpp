#include "core/export/textexport.h"

#include "core/base/progresssink.h"
#include "core/view/catalogue.h"

#include <algorithm>

namespace discora {

namespace {

// Song times and instruments start in this column, under their headings.
constexpr std::size_t kSecondColumn = 54;
constexpr std::size_t kSlotNumberWidth = 4;

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void appendPadded(std::string& out, std::string_view text, std::size_t width)
{
    out += text;
    const std::size_t n = characterCount(text);
    if (n < width)
        out.append(width - n, ' ');
}

class BlockWriter
{
public:
    BlockWriter(const Catalogue& doc, const ExportSettings& settings, std::string& out)
        : m_doc(doc), m_settings(settings), m_out(out)
    {}

    void write(int album)
    {
        m_album = album;
        const ViewOptions& on = m_settings.switches;
        line("Group/Artist: ", Field::Artist);
        line("Album Name: ", Field::AlbumName);
        line("Music Type: ", Field::MusicType);
        line("Media Type: ", Field::MediaType);
        line("Number: ", Field::Number);
        if (on.on(ViewOption::ShowProducers)) {
            line("Producers: ", Field::Producer1);
            line("           ", Field::Producer2);
        }
        if (on.on(ViewOption::ShowLabel))
            line("Label: ", Field::Label);
        if (on.on(ViewOption::ShowCatalogNum))
            line("Catalog Number: ", Field::CatalogNumber);
        if (on.on(ViewOption::ShowCustom1))
            line(m_settings.headings[0] + ": ", Field::Custom1);
        if (on.on(ViewOption::ShowCustom2))
            line(m_settings.headings[1] + ": ", Field::Custom2);
        if (on.on(ViewOption::ShowQuality))
            line("Quality: ", Field::Quality);
        if (on.on(ViewOption::ShowSongs))
            songs();
        if (on.on(ViewOption::ShowNotes)) {
            m_out += '\n';
            line("Notes: ", Field::Notes);
        }
        if (on.on(ViewOption::ShowPeople))
            performers();
        m_out += "\n\n";
    }

private:
    std::string_view text(Field f) const { return m_doc.text(f, m_album); }

    void line(std::string_view label, Field f)
    {
        m_out += label;
        m_out += text(f);
        m_out += '\n';
    }

    void songs()
    {
        m_out += '\n';
        appendPadded(m_out, "Num Songs", kSecondColumn);
        m_out += "Time\n";
        for (int k = 1; k <= kSongSlots; ++k) {
            const std::string_view title = text(titleField(k));
            if (title.empty())
                continue;
            appendPadded(m_out, std::to_string(k), kSlotNumberWidth);
            appendPadded(m_out, title, kSecondColumn - kSlotNumberWidth);
            m_out += text(timeField(k));
            m_out += '\n';
        }
    }

    void performers()
    {
        m_out += '\n';
        appendPadded(m_out, "Performers", kSecondColumn);
        m_out += "Vocals/Instruments\n";
        for (int k = 1; k <= kPerformerSlots; ++k) {
            const std::string_view name = text(performerField(k));
            if (name.empty())
                continue;
            appendPadded(m_out, name, kSecondColumn);
            m_out += text(instrumentField(k));
            m_out += '\n';
        }
    }

    const Catalogue& m_doc;
    const ExportSettings& m_settings;
    std::string& m_out;
    int m_album = 0;
};

} // namespace

std::string textDocument(const Catalogue& doc, const ExportSettings& settings,
                         std::span<const std::uint32_t> albums, ProgressSink* progress)
{
    std::string out;
    BlockWriter writer(doc, settings, out);
    ProgressScope scope(progress, kTextStatusText, std::max(static_cast<int>(albums.size()) - 1, 0));
    for (std::uint32_t album : albums) {
        writer.write(static_cast<int>(album));
        scope.step();
    }
    return out;
}

ExportedFile textExport(const Catalogue& doc, const ExportSettings& settings,
                        std::span<const std::uint32_t> albums, ProgressSink* progress)
{
    return encodeExport(textDocument(doc, settings, albums, progress));
}

} // namespace discora
