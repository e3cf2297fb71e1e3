// The keys a command answers to: our own accelerators, then the keys the desktop binds to the
// command's standard action where none of ours already takes them.
#pragma once

#include "core/commands/commands.h"

#include <QKeySequence>
#include <QList>
#include <QString>

namespace discora {

QList<QKeySequence> commandKeys(CommandId id);
// As the help lists them, "Ctrl+D, Del"; the menus leave out our alternates (Alt+Backspace).
enum class KeyList
{
    All,
    ForMenu
};
QString commandKeysText(CommandId id, KeyList which = KeyList::All);
// Whether a key is one a user types: the function keys past F12 that some desktops bind to a
// standard action are the old Sun keyboard's Undo, Copy, Paste... keys, which keyboards today do
// not have. They still work; the menus and the help leave them out.
bool isTypedKey(const QKeySequence& key);

} // namespace discora
