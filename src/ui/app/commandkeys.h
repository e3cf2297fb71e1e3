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

} // namespace discora
