// Where the handlers of the commands go: the main window keeps them and runs them from its
// actions, menus and toolbar; each group of handlers registers here without knowing the window.
// (A "command" is an entry of the command table; a "handler" is the code that runs it; the modes
// of the command line are "command-line modes".)
#pragma once

#include "core/commands/commands.h"

#include <functional>

namespace discora {

class HandlerRegistry
{
public:
    virtual ~HandlerRegistry() = default;
    virtual void setHandler(CommandId id, std::function<void()> handler) = 0;
    virtual void runCommand(CommandId id) = 0;
    // Every command's enabled and checked state worked out again.
    virtual void refreshCommands() = 0;
};

} // namespace discora
