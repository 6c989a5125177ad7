// The main window's bottom bar: the version text at the right, the kind of
// connection of the shown mouse (or that none was found) at the left, and
// where the "check for updates" link goes. Texts and boxes only; the
// Windows renderer measures and draws.
#pragma once

#include <string>
#include <string_view>

#include "ui/panel.h"

namespace tessaro {

inline constexpr std::u16string_view kProgramVersion = u"0.0.2.13";

// "<label> <program version>.<catalogue version>". Every part is plain
// text, never a format.
std::u16string VersionText(std::u16string_view label, std::u16string_view catalogue_version);

// "BT" when the model's name holds "(BT)" after at least three characters,
// else "2.4G" for "(RF)" after at least three, else "Wired". Only the first
// occurrence of each counts.
std::u16string_view ConnectionKind(std::u16string_view model_name);

struct BottomBarLayout {
  float font_size = 0.0f;        // the device text's; half the bar's height
  float small_font_size = 0.0f;  // the version text's
  RectF version_box;             // far-aligned, centred vertically
  RectF device_box;              // 1000 design pixels from 20, centred
};
BottomBarLayout LayoutBottomBar(const PanelRect& bar, float scale);

struct PlacedText {
  RectF box;
  TextAlign align = TextAlign::kCenter;
};

// The device text centred in its box; when the model list button shows at
// the left of the bar and the centred text would come within 10 pixels of
// it, near-aligned instead, one font size after the button.
PlacedText PlaceDeviceText(const BottomBarLayout& bar, float text_width, const RectF* model_list);

// The shown profile's text, between the device text's box and `right`
// (where the version text or the update link begins): centred in that
// room, or, when it is wider, ending at `right`.
PlacedText PlaceProfileText(const BottomBarLayout& bar, float text_width, float right);

// The update link's rectangle: just left of the version text, centred on
// it vertically, keeping its height.
RectF PlaceUpdateLink(const RectF& version_box, float version_width, float link_text_width, float link_height);

}  // namespace tessaro
