// The model catalogue: one MODEL_DEF per model.json document of the model
// package (two for a kind 2 model with USB ids), in package order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vxlib.h"

namespace tessaro {

class Package;

inline constexpr int kModelResourceId = 131;

// Record limits: documents with more entries are cut to these.
inline constexpr int kModelButtonSlots = 14;    // 0-11 buttons, 12-13 tilt or HID 0-1
inline constexpr int kModelButtonEntries = 12;  // "button_pos" entries read
inline constexpr int kModelTiltEntries = 2;
inline constexpr int kModelHidEntries = 10;
inline constexpr int kModelHidPositions = 4;
inline constexpr int kModelImageBytes = 128;
inline constexpr int kHidFunctionNameUnits = 64;

struct MarkerPosition {
  int32_t x = 0;
  int32_t y = 0;
};

// One model. Copies are deep; records are passed and stored by value.
struct MODEL_DEF {
  std::u16string model_name;  // may contain "(BT)" or "(RF)"
  int32_t model_id = 0;
  uint32_t button = 0;  // bit i: button i is offered; bit 0 never is
  int32_t usb_vid = 0;
  int32_t usb_pid = 0;
  int32_t vid = 0;
  int32_t pid = 0;
  int32_t swap45 = 0;
  int32_t tilt = 0;  // > 0: buttons 12 and 13 are tilt left and right
  int32_t tilt_mask_l = 0;
  int32_t tilt_mask_r = 0;
  int32_t type = 0;
  int32_t connected = 0;  // maintained by device matching
  int32_t tilt_image_pos = 0;
  MarkerPosition button_pos[kModelButtonSlots] = {};
  int32_t one_time[kModelButtonSlots] = {};
  std::u16string str[kModelButtonSlots];       // language key of the caption
  std::u16string function[kModelButtonSlots];  // language key of the own action
  std::u16string numStr[kModelButtonSlots];
  std::u16string tilt_function[kModelTiltEntries];
  MarkerPosition hid_pos[kModelHidPositions] = {};
  MarkerPosition tilt_pos[kModelTiltEntries] = {};
  int32_t tilt_image_over[kModelTiltEntries] = {};
  std::u16string tilt_str[kModelTiltEntries];
  std::u16string tilt_numStr[kModelTiltEntries];
  int32_t hid_down[kModelHidEntries] = {};
  int32_t hid_up[kModelHidEntries] = {};
  std::u16string image[kModelButtonSlots];  // marker picture code
  int32_t image_over[kModelButtonEntries] = {};
  int32_t exclude[kModelButtonEntries] = {};
  int32_t tilt_exclude[kModelTiltEntries] = {};
  char model_image[kModelImageBytes] = {};  // picture member name, zero-terminated
  // One per HID entry read (hid_count of them; type 255: none given). Held
  // by count, not in a full array: 10 of them would be three quarters of the
  // record, and the catalogue keeps every model's.
  std::vector<VX_FUNCTION_DEF> hid_function_define;
  char16_t hid_function_name[kModelHidEntries][kHidFunctionNameUnits] = {};
  int32_t hid_count = 0;  // HID entries held, at most kModelHidEntries
};

class ModelItem {
 public:
  virtual ~ModelItem() = default;

  // Replaces the catalogue with the model package held in data (when not
  // null) or in the file at path. An archive that cannot be opened leaves
  // the catalogue empty.
  void Load(std::u16string_view path, const uint8_t* data, size_t size);
  void Load(Package& package);
  // Parses one model.json text and appends zero, one or two records. A
  // document that does not parse, lacks "model_name" or "model_define", or
  // holds a value of the wrong JSON type adds nothing.
  void ParseModel(std::string_view text);
  // ParseModel for each document in order.
  void ParseModels(const std::vector<std::string>& documents);
  // A copy of record index; record 0 for an index out of range, a zeroed
  // record when the catalogue is empty.
  MODEL_DEF GetModel(int index) const;

  std::vector<MODEL_DEF> models;
  std::u16string ver;  // "ver" of the package's ver.json
};

// The application-wide catalogue.
ModelItem& Models();

}  // namespace tessaro
