// The widget tests answer the user's questions with the same scripted prompter as the core tests.
#pragma once

#include "support/scriptedprompter.h"

namespace discora {

using FakePrompter = ScriptedPrompter;

} // namespace discora
