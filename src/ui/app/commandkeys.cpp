#include "ui/app/commandkeys.h"

#include "ui/support/qttext.h"

#include <QStringList>

namespace discora {

namespace {

QKeySequence::StandardKey qtStandardKey(StandardKey key)
{
    switch (key) {
    case StandardKey::New: return QKeySequence::New;
    case StandardKey::Open: return QKeySequence::Open;
    case StandardKey::Save: return QKeySequence::Save;
    case StandardKey::SaveAs: return QKeySequence::SaveAs;
    case StandardKey::Print: return QKeySequence::Print;
    case StandardKey::Quit: return QKeySequence::Quit;
    case StandardKey::Undo: return QKeySequence::Undo;
    case StandardKey::Redo: return QKeySequence::Redo;
    case StandardKey::Delete: return QKeySequence::Delete;
    case StandardKey::SelectAll: return QKeySequence::SelectAll;
    case StandardKey::Find: return QKeySequence::Find;
    case StandardKey::HelpContents: return QKeySequence::HelpContents;
    case StandardKey::None: break;
    }
    return QKeySequence::UnknownKey;
}

QList<QKeySequence> ownKeys(const CommandInfo& info)
{
    QList<QKeySequence> keys;
    if (!info.shortcut.empty())
        keys << QKeySequence(toQt(info.shortcut));
    for (std::string_view more : moreShortcuts(info.id))
        keys << QKeySequence(toQt(more));
    return keys;
}

// Every accelerator of ours, of any command: a standard key that one of them uses stays ours.
const QList<QKeySequence>& allOwnKeys()
{
    static const QList<QKeySequence> keys = [] {
        QList<QKeySequence> all;
        for (const CommandInfo& info : allCommands())
            all += ownKeys(info);
        return all;
    }();
    return keys;
}

} // namespace

QList<QKeySequence> commandKeys(CommandId id)
{
    QList<QKeySequence> keys = ownKeys(commandInfo(id));
    const StandardKey standard = standardKeyOf(id);
    if (standard == StandardKey::None)
        return keys;
    for (const QKeySequence& key : QKeySequence::keyBindings(qtStandardKey(standard)))
        if (!key.isEmpty() && !allOwnKeys().contains(key) && !keys.contains(key))
            keys << key;
    return keys;
}

bool isTypedKey(const QKeySequence& key)
{
    if (key.isEmpty())
        return false;
    const int code = key[0].key();
    return code < Qt::Key_F13 || code > Qt::Key_F35;
}

QString commandKeysText(CommandId id, KeyList which)
{
    QStringList texts;
    for (const QKeySequence& key : commandKeys(id)) {
        if (!isTypedKey(key))
            continue;
        const QString text = key.toString(QKeySequence::NativeText);
        if (which == KeyList::ForMenu && texts.size() > 0) {
            bool alternate = false;
            for (std::string_view more : moreShortcuts(id))
                alternate = alternate || QKeySequence(toQt(more)) == key;
            if (alternate)
                continue;
        }
        texts << text;
    }
    return texts.join(QStringLiteral(", "));
}

} // namespace discora
