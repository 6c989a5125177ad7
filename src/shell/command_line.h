// What the command line asks of a start: "/hide" starts in the tray,
// "/close" ends the running instance. Matched without regard to case
// anywhere after the first character, since the line begins with the
// program's own path.
#pragma once

#include <string_view>

namespace tessaro {

struct StartRequest {
  bool start_hidden = false;
  bool close_running = false;  // wins over start_hidden
};

StartRequest ParseCommandLine(std::u16string_view command_line);

}  // namespace tessaro
