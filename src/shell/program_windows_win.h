// The programs that show windows now, for the profile list's "Add a
// program…".
#pragma once

#include <string>
#include <vector>

namespace tessaro {

// The executable path of the process behind each visible top-level window
// that a user would call a program's window (not owned by another window,
// no tool window, with a title), in Z order; a process whose path cannot be
// read is left out.
std::vector<std::u16string> VisibleWindowPrograms();

// This program's executable path.
std::u16string OwnProgramPath();

}  // namespace tessaro
