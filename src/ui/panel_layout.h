// Where the renderer puts things: the bars, the caption and its icon, the
// body gradient, and the parts of each widget kind. Pure arithmetic on the
// panel's numbers, shared by the Windows renderer and the tests.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/panel.h"

namespace tessaro {

// Fills the title bar and bottom bar from the client size when the title
// bar's left is kAutoLayoutBars; otherwise leaves them.
void LayoutBars(SkinPanel& panel);

// Height of the caption box: 1.8 x the caption font size.
float CaptionHeight(const SkinPanel& panel);

struct CaptionLayout {
  RectF icon;  // empty without an icon
  RectF text;  // near-aligned, centred vertically
};
CaptionLayout LayoutCaption(const SkinPanel& panel, bool has_icon);

// The body between the bars.
RectF BodyRect(const SkinPanel& panel);

struct Gradient {
  uint32_t start;
  uint32_t end;
};
// Over a texture the body gradient is darker and mostly transparent.
Gradient BodyGradient(const WidgetStyle& panel_style, bool over_texture);

// Pen widths of the soft edge, widest first.
std::array<float, 4> SoftEdgeWidths(float scale);

// Widget outlines: corner radius from the caption font size, pen widths
// from the caption height.
int CornerRadius(float caption_font_size);
int OutlinePenWidth(float caption_height);
int GlyphPenWidth(float caption_height);

struct LineF {
  float x1, y1, x2, y2;
};
std::array<LineF, 2> CloseCross(const RectF& r);
LineF MinimiseBar(const RectF& r);

RectF CheckBoxPicture(const RectF& r);
// text_offset: panel text offset factor x the style's font size.
RectF CheckBoxTextBox(const RectF& r, float text_offset);
RectF PushButtonTextBox(const RectF& r, float text_offset);
RectF MovedDown(RectF r, float dy);

// Korean (1042) and, for widgets, Japanese (1041) texts need a family that
// has their glyphs.
enum class FontUse { kCaption, kWidget, kLabel };
std::u16string_view FamilyFor(std::u16string_view family, int32_t language_id, FontUse use);

}  // namespace tessaro
