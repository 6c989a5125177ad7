#include "shell/function_menu_win.h"

#include <memory>
#include <optional>

#include "catalog/function_catalogue.h"
#include "catalog/language_table.h"
#include "shell/controls_popup_win.h"
#include "shell/controls_window_thread_win.h"
#include "shell/function_menu_choice.h"
#include "shell/main_window_state.h"
#include "shell/marker_column_apply.h"
#include "shell/popup_font.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr float kMenuWidth = 880.0f;

void RebuildNow() {
  if (CTessaroDlg* dialog = MainDialog()) RebuildMarkerColumn(dialog->main_panel(), dialog->control());
}

void RequestMarkerColumn() { WindowThreadTasks::Run(&RebuildNow); }

class WindowChoiceHost final : public FunctionChoiceHost {
 public:
  std::optional<CapturedKeys> CaptureKeys(const _QnItemListDB&) override {
    CTessaroDlg* dialog = MainDialog();
    if (!dialog) return std::nullopt;
    // Nothing while another opener (another choice, the slowdown keys) has
    // the dialog.
    return dialog->key_capture().Capture(dialog->window(), kCaptureCombination);
  }

  void Pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }

  void RebuildMarkers() override { RequestMarkerColumn(); }
};

// The popup list's worker thread, one per choice.
void OnFunctionChosen(int32_t, _QnItemListDB row) {
  WindowChoiceHost host;
  ChooseFunction(row, host);
}

void OpenFunctionMenu(PanelWidget& marker) {
  ClickedMarker = static_cast<int32_t>(marker.user_value);
  CTessaroDlg* dialog = MainDialog();
  QnItemList* list = MainPopupList();
  if (!dialog || !list) return;
  list->look.font_name = PopupFontFamily(dialog->main_panel().panel.caption_style.font_name, LanguageId);
  if (list->IsOpen()) list->CloseList();

  const POINT anchor = BelowWidget(marker);
  const std::shared_ptr<const FunctionCatalogue> catalogue = FunctionCatalogueSnapshot();
  const MarkerMenu menu = MarkerMenuOf(marker);
  list->SetRows(menu.hid_list == 1 ? catalogue->hid_function_rows : catalogue->function_rows, 0, menu.excluded_type,
                menu.exclusion_mask);
  // Every function row has its icon, drawn in a column of its own.
  list->icon_column = true;
  list->on_choice = &OnFunctionChosen;
  const float scale = UiScale;
  list->OpenAt(anchor.x, anchor.y, 0, scale, static_cast<int>(kMenuWidth * scale));
}

}  // namespace

void AddFunctionMenu(MainDialogParts& parts) {
  parts.widgets.open_function_menu = &OpenFunctionMenu;
  parts.rebuild_function_menu = &RequestMarkerColumn;
}

}  // namespace tessaro
