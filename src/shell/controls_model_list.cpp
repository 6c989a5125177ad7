#include "shell/controls_model_list.h"

#include <atomic>
#include <iterator>

#include "catalog/utf.h"
#include "device/device_detection.h"
#include "ui/main_window_bottom_bar.h"
#include "vxlib.h"

namespace tessaro {
namespace {

// Device detection writes the flags of the catalogue's records while the
// window reads them; the records themselves are never const objects.
bool IsConnected(const MODEL_DEF& model) {
  return std::atomic_ref<int32_t>(const_cast<int32_t&>(model.connected)).load() != 0;
}

}  // namespace

bool IsConnectedModel(int32_t index) {
  const std::vector<MODEL_DEF>& models = Models().models;
  return index >= 0 && index < static_cast<int32_t>(models.size()) && IsConnected(models[index]);
}

std::u16string_view ModelConnectionKind(std::u16string_view model_name) {
  // The bottom bar's rule; only a wired mouse is named otherwise there.
  const std::u16string_view kind = ConnectionKind(model_name);
  return kind == u"Wired" ? u"USB" : kind;
}

RowArray BuildModelMenuRows(const std::vector<MODEL_DEF>& models, int32_t selected,
                            const std::function<void*(int32_t index)>& picture_of) {
  RowArray rows;
  if (models.size() <= 1) return rows;
  for (int32_t i = 0; i < static_cast<int32_t>(models.size()); ++i) {
    if (i == selected || !IsConnected(models[i])) continue;
    _QnItemListDB row{};
    row.id = i;
    row.function_index = i;
    row.image = picture_of(i);
    CopyToField(ModelConnectionKind(models[i].model_name), row.name, std::size(row.name));
    AddRow(rows, row);
  }
  return rows;
}

bool ChooseModel(int32_t index, MainWindowControl& window) {
  if (!IsConnectedModel(index)) return false;
  if (SelectedModel.exchange(index) == index) return false;
  VX_RefreshInfo();
  DetectDevices(window);
  window.RedrawModelLayer();
  window.RebuildFunctionMenu();
  return true;
}

}  // namespace tessaro
