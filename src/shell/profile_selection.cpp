#include "shell/profile_selection.h"

#include <mutex>
#include <utility>

#include "device/program_profiles.h"

namespace tessaro {
namespace {

struct Selection {
  std::mutex mutex;
  std::u16string program;
};

// Never destroyed: a refresh worker may rebuild the column while the
// process exits.
Selection& TheSelection() {
  static Selection* const selection = new Selection;
  return *selection;
}

}  // namespace

std::u16string ShownProfile() {
  std::u16string program;
  {
    std::lock_guard hold(TheSelection().mutex);
    program = TheSelection().program;
  }
  if (program.empty()) return program;
  std::lock_guard hold(ButtonSettingLock());
  const ProgramProfile* profile = FindProgramProfile(std::as_const(ProgramProfileList()), program);
  return profile ? profile->program : std::u16string();
}

void SelectProfile(std::u16string_view program) {
  std::lock_guard hold(TheSelection().mutex);
  TheSelection().program.assign(program);
}

}  // namespace tessaro
