// The model list widget opens a list of the other connected models; a
// choice shows that model.
#include "device/device_detection.h"
#include "shell/controls_handlers_win.h"
#include "shell/controls_model_list.h"
#include "shell/controls_popup_win.h"
#include "shell/main_window_state.h"
#include "shell/tessaro_dlg_win.h"

namespace tessaro {
namespace {

constexpr float kModelListScale = 1.2f;
constexpr float kModelListWidth = 680.0f;

// The popup list's choice thread.
void OnModelChosen(int32_t, _QnItemListDB row) {
  if (CTessaroDlg* dialog = MainDialog()) ChooseModel(row.id, dialog->control());
}

}  // namespace

void OpenModelMenu(PanelWidget& widget) {
  CTessaroDlg* dialog = MainDialog();
  if (!dialog || !MainPopupList()) return;
  const RowArray rows = BuildModelMenuRows(Models().models, SelectedModel,
                                           [dialog](int32_t index) { return dialog->model_pictures().Get(index); });
  if (rows.empty()) return;
  const float s = UiScale;
  OpenPopupList(rows,
                {BelowWidget(widget), true, kModelListScale, static_cast<int>(kModelListWidth * s), &OnModelChosen});
}

}  // namespace tessaro
