// The model list widget opens a list of the other connected models; a
// choice shows that model.
#include <cstring>
#include <map>
#include <memory>

#include "catalog/package_image_win.h"
#include "catalog/utf.h"
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

// Decoded once per model and kept for the run: the list may still paint a
// row of an earlier opening. User-interface thread only.
void* PictureOf(int32_t index) {
  static std::map<int32_t, std::unique_ptr<Gdiplus::Bitmap>> pictures;
  const auto [slot, added] = pictures.try_emplace(index);
  if (added) {
    const MODEL_DEF model = Models().GetModel(index);
    const std::string name(model.model_image, strnlen(model.model_image, kModelImageBytes));
    // An empty name would match any member.
    if (!name.empty()) slot->second = LoadModelPicture(Utf8ToUtf16(name));
  }
  return slot->second.get();
}

// The popup list's choice thread.
void OnModelChosen(int32_t, _QnItemListDB row) {
  if (CTessaroDlg* dialog = MainDialog()) ChooseModel(row.id, dialog->control());
}

}  // namespace

void OpenModelMenu(PanelWidget& widget) {
  if (!MainPopupList()) return;
  const RowArray rows = BuildModelMenuRows(Models().models, SelectedModel, &PictureOf);
  if (rows.empty()) return;
  const float s = UiScale;
  OpenPopupList(rows,
                {BelowWidget(widget), true, kModelListScale, static_cast<int>(kModelListWidth * s), &OnModelChosen});
}

}  // namespace tessaro
