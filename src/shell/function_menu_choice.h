// A function chosen in a marker's function menu becomes an assignment: the
// record for the clicked button of the selected model, programmed into the
// driver library and saved. A custom key combination is recorded first; a
// scroll function on one direction of a HID wheel gives the other direction
// the opposite scroll.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/function_catalogue.h"
#include "catalog/menu_row.h"
#include "catalog/model_catalogue.h"
#include "device/button_setting.h"
#include "ui/key_capture_logic.h"

namespace tessaro {

// The marker whose function menu was opened last.
inline std::atomic<int32_t> ClickedMarker{0};

// Writes a recorded combination into a definition as a stored key
// combination (type 2): the press bytes are 1, the modifier keys (Ctrl,
// Shift, Alt, Win, each when its left or right key was held) and the key;
// the release bytes are 0, the key and the same modifier keys. Bytes after
// these keep their values.
void WriteCustomKey(VX_FUNCTION_DEF& function, int32_t key, int32_t modifiers);

// The assignment of a function to marker p of the model at model_index:
// the model's identifiers, the button (mask bit, HID code pair or tilt
// side by the marker's kind) and the slot of a menu choice.
BUTTON_SETTING_DEF MenuAssignment(const MODEL_DEF& model, int model_index, int marker, std::u16string_view name,
                                  const VX_FUNCTION_DEF& function);

// The assignment that pairs a scroll function on one direction of a HID
// wheel (press code 0xFA or 0xFC) with the opposite scroll on the other
// direction; none when the chosen assignment is no such scroll, the model
// has no marker for the other direction or the catalogue lacks the scroll
// rows. chosen_value is the chosen row's function index.
std::optional<BUTTON_SETTING_DEF> WheelPartner(const BUTTON_SETTING_DEF& chosen, int32_t chosen_value,
                                               const MODEL_DEF& model, int model_index,
                                               const FunctionCatalogue& catalogue);

// What a choice needs beyond the catalogues and the assignments.
class FunctionChoiceHost {
 public:
  virtual ~FunctionChoiceHost() = default;
  // Runs the key capture for a custom key row; empty when it was cancelled.
  virtual std::optional<CapturedKeys> CaptureKeys(const _QnItemListDB& row) = 0;
  // Waits between the two halves of a wheel pairing.
  virtual void Pause(int milliseconds) = 0;
  // Has the marker column rebuilt.
  virtual void RebuildMarkers() = 0;
};

// The choice of row for ClickedMarker (on the popup list's worker thread),
// made in the profile the window shows (ShownProfile) and saved in its
// file: does nothing unless a connected model is selected and the row
// names a function of the catalogue; a cancelled key capture changes
// nothing.
void ChooseFunction(const _QnItemListDB& row, FunctionChoiceHost& host);

}  // namespace tessaro
