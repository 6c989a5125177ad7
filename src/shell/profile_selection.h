// Which profile the window shows and the function menu changes: a
// program's profile, or "All programs" (the default assignments).
#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// The program whose profile is shown; empty for "All programs", also when
// the selected program's profile has gone meanwhile (a settings refresh,
// its removal). Any thread.
std::u16string ShownProfile();

// Shows the profile of program (empty: "All programs"). Any thread.
void SelectProfile(std::u16string_view program);

}  // namespace tessaro
