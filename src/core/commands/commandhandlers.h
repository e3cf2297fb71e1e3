// How the parts of the window offer their commands: the main window keeps the handlers and runs
// them from its actions, menus and toolbar; a view or a group of commands registers its handlers
// here without knowing the window.
#pragma once

#include "core/commands/commands.h"

#include <functional>

namespace discora {

class CommandHandlers
{
public:
    virtual ~CommandHandlers() = default;
    virtual void setHandler(CommandId id, std::function<void()> handler) = 0;
    virtual void runCommand(CommandId id) = 0;
    // Every command's enabled and checked state worked out again.
    virtual void refreshCommands() = 0;
};

} // namespace discora
