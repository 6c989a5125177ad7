// The profile list widget opens the list of profiles; a choice shows a
// profile, adds a program's profile or removes the shown one.
#include <mutex>
#include <optional>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/settings_store.h"
#include "shell/controls_handlers_win.h"
#include "shell/controls_popup_win.h"
#include "shell/controls_profiles.h"
#include "shell/controls_window_thread_win.h"
#include "shell/main_window_state.h"
#include "shell/profile_selection.h"
#include "shell/program_windows_win.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr float kProfileListScale = 0.9f;
constexpr float kProfileListWidth = 880.0f;

// What the list showed when it opened, for the choice thread: its rows
// name profiles and programs by their place here.
struct OpenedList {
  std::mutex mutex;
  ProgramProfileArray profiles;
  std::vector<RunningProgram> to_add;
};

// Never destroyed: a choice thread may read it while the process exits.
OpenedList& Opened() {
  static OpenedList* const opened = new OpenedList;
  return *opened;
}

template <class T>
std::optional<T> At(const std::vector<T>& list, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return std::nullopt;
  return list[static_cast<size_t>(index)];
}

// Window thread: the question, then the removal. The list goes first: its
// own closing waits for the dialog's message loop, which the question holds.
void AskAndRemoveShownProfile() {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog) return;
  if (QnItemList* list = MainPopupList()) list->CloseList();
  RemoveShownProfile(
      [dialog] {
        const std::u16string text = LanguageText(u"remove profile prompt");
        const std::u16string caption = ShownProfile();
        // Yes and No, No the default.
        return MessageBoxW(dialog->window(), reinterpret_cast<const wchar_t*>(text.c_str()),
                           reinterpret_cast<const wchar_t*>(caption.c_str()), MB_YESNO | MB_DEFBUTTON2) == IDYES;
      },
      dialog->control());
}

// The popup list's choice thread.
void OnProfileChosen(int32_t, _QnItemListDB row) {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog) return;
  MainWindowControl& window = dialog->control();
  OpenedList& opened = Opened();
  switch (row.id) {
    case kShowAllProgramsRow:
      ShowAllPrograms(window);
      break;
    case kShowProfileRow: {
      std::optional<ProgramProfile> profile;
      {
        std::lock_guard hold(opened.mutex);
        profile = At(opened.profiles, row.function_index);
      }
      if (profile) ShowProgramProfile(profile->program, window);
      break;
    }
    case kAddProgramRow: {
      std::optional<RunningProgram> program;
      {
        std::lock_guard hold(opened.mutex);
        program = At(opened.to_add, row.function_index);
      }
      if (program) AddAndShowProfile(*program, window);
      break;
    }
    case kRemoveProfileRow:
      // The question belongs to the window, as the reset's does.
      WindowThreadTasks::Run(&AskAndRemoveShownProfile);
      break;
    default:
      break;
  }
}

}  // namespace

void OpenProfileMenu(PanelWidget& widget) {
  CTessaroDlg* dialog = MainDialog();
  // The list holds the stored profiles only once they are loaded.
  if (!dialog || !MainPopupList() || SettingsLoaded.load() == 0) return;
  ProgramProfileArray profiles = CopyProgramProfileList();
  std::vector<RunningProgram> to_add = ProgramsToAdd(VisibleWindowPrograms(), OwnProgramPath(), profiles);
  const RowArray rows =
      BuildProfileMenuRows(profiles, ShownProfile(), to_add, *LanguageTexts(),
                           [dialog](const std::u16string& path) -> void* { return dialog->program_icons().Get(path); });
  {
    OpenedList& opened = Opened();
    std::lock_guard hold(opened.mutex);
    opened.profiles = std::move(profiles);
    opened.to_add = std::move(to_add);
  }
  const float s = UiScale;
  OpenPopupList(rows, {BelowWidget(widget), true, kProfileListScale * s, static_cast<int>(kProfileListWidth * s),
                       &OnProfileChosen});
}

}  // namespace tessaro
