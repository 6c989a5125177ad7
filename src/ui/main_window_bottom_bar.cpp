#include "ui/main_window_bottom_bar.h"

#include <algorithm>

namespace tessaro {
namespace {

// Design pixels at scale 1.
constexpr float kMargin = 10.0f;
constexpr float kDeviceBoxLeft = 20.0f;
constexpr float kDeviceBoxWidth = 1000.0f;

// The first occurrence of tag, when it follows a name of three characters
// or more.
bool TaggedAfterName(std::u16string_view name, std::u16string_view tag) {
  const size_t at = name.find(tag);
  return at != std::u16string_view::npos && at >= 3;
}

}  // namespace

std::u16string VersionText(std::u16string_view label, std::u16string_view catalogue_version) {
  std::u16string text;
  text.reserve(label.size() + kProgramVersion.size() + catalogue_version.size() + 2);
  text.append(label).append(u" ").append(kProgramVersion).append(u".").append(catalogue_version);
  return text;
}

std::u16string_view ConnectionKind(std::u16string_view model_name) {
  if (TaggedAfterName(model_name, u"(BT)")) return u"BT";
  if (TaggedAfterName(model_name, u"(RF)")) return u"2.4G";
  return u"Wired";
}

BottomBarLayout LayoutBottomBar(const PanelRect& bar, float scale) {
  const auto top = static_cast<float>(bar.top);
  const auto height = static_cast<float>(bar.bottom - bar.top);
  BottomBarLayout out;
  out.font_size = height * 0.5f;
  out.small_font_size = out.font_size * 0.8f;
  out.version_box = {bar.left + kMargin * scale, top, static_cast<float>(bar.right - bar.left) - 3 * kMargin * scale,
                     height};
  out.device_box = {kDeviceBoxLeft * scale, top, kDeviceBoxWidth * scale, height};
  return out;
}

PlacedText PlaceDeviceText(const BottomBarLayout& bar, float text_width, const RectF* model_list) {
  const RectF& box = bar.device_box;
  if (!model_list) return {box, TextAlign::kCenter};
  const float button_right = model_list->x + model_list->width;
  const float centred_left = (box.width - text_width) * 0.5f + box.x;
  if (button_right + 10.0f <= centred_left) return {box, TextAlign::kCenter};
  const float left = button_right + bar.font_size;
  // The text keeps its whole width even where the box would end first.
  const float width = std::max(box.x + box.width - left, text_width);
  return {{left, box.y, width, box.height}, TextAlign::kNear};
}

PlacedText PlaceProfileText(const BottomBarLayout& bar, float text_width, float right) {
  const RectF& device = bar.device_box;
  const float left = device.x + device.width;
  const float room = right - left;
  // Too wide: it ends where the room does and reaches into the device
  // text's box, whose text is short and centred, never into the link.
  if (text_width > room) return {{right - text_width, device.y, text_width, device.height}, TextAlign::kNear};
  return {{left, device.y, room, device.height}, TextAlign::kCenter};
}

RectF PlaceUpdateLink(const RectF& version_box, float version_width, float link_text_width, float link_height) {
  const float right = version_box.x + version_box.width;
  return {right - version_width - link_text_width - 10.0f, version_box.y + (version_box.height - link_height) / 2,
          link_text_width + 5.0f, link_height};
}

}  // namespace tessaro
