// The program's name as the desktop, the window titles and the messages show it.
#pragma once

namespace discora {

inline constexpr const char* kProgramTitle = "Discora and CD Player";

} // namespace discora
