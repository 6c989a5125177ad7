// The panel toolkit: a retained description of a borderless, hand-drawn
// window (caption, title bar, body, bottom bar, pictures) with its widgets
// and labels, and the logic that does not draw: defaults, adding widgets,
// hit testing and the size rules the renderer applies after measuring text.
// Drawing is panel_render_win.h.
//
// Widgets and labels belong to the owner and must outlive their use by the
// panel; the panel owns its pictures and its cached background layer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/pixel_rect.h"

namespace tessaro {

class FontProbe;
struct UiFont;

// A decoded picture. The Windows build keeps a GDI+ image behind it; the
// portable code only stores, moves and releases it.
class PanelImage {
 public:
  virtual ~PanelImage() = default;
};
using PanelImagePtr = std::unique_ptr<PanelImage>;

// The panel's cached background layer (a bitmap on Windows).
class PanelLayer {
 public:
  virtual ~PanelLayer() = default;
};

// Every colour of a new style, widget or label.
inline constexpr uint32_t kUnsetColor = 0xFF000000;
inline constexpr size_t kFontNameLength = 64;
inline constexpr size_t kWidgetTextLength = 128;
inline constexpr size_t kLabelTextLength = 256;
inline constexpr size_t kCaptionLength = 128;
inline constexpr size_t kMaxWidgets = 200;
inline constexpr size_t kMaxLabels = 200;

// The look of one part of a panel, or of a widget or label in one state.
// Colours are ARGB, alpha in the top byte.
struct WidgetStyle {
  uint32_t outline = kUnsetColor;  // widget and window border
  uint32_t glyph = kUnsetColor;    // close cross, minimise bar
  uint32_t fill = kUnsetColor;     // widget fill, gradient start
  uint32_t fill2 = kUnsetColor;    // gradient end
  float angle = 0.0f;              // gradient angle, degrees
  uint32_t text = kUnsetColor;
  int32_t font_style = 0;  // GDI+ font style flags (labels)
  uint32_t text_bg = kUnsetColor;
  float font_size = 0.0f;  // pixels
  char16_t font_name[kFontNameLength] = {};
};

enum class WidgetKind : int32_t {
  kPushButton = 0,
  kClose = 1,     // drawn as a cross
  kMinimise = 2,  // drawn as a bar
  kCheckBox = 4,  // picture and text
};

enum class WidgetState : int32_t {
  kNormal = 0,
  kHover = 1,
  kPressed = 2,
  kInactive = 4,  // left out of hit testing
};

// Same numbering as GDI+ string alignment.
enum class TextAlign : int32_t { kNear = 0, kCenter = 1, kFar = 2 };

struct RectF {
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
};

// In the panel's client coordinates.
using PanelRect = PixelRect;

struct PanelWidget;
// Called on a click, with the widget clicked.
using WidgetCallback = void (*)(PanelWidget& widget);

struct PanelWidget {
  WidgetKind kind = WidgetKind::kPushButton;  // other values draw as push buttons
  char16_t text[kWidgetTextLength] = {};
  TextAlign align = TextAlign::kNear;  // push buttons only
  RectF rect;
  WidgetStyle style_normal;
  WidgetStyle style_hover;
  WidgetStyle style_disabled;
  WidgetStyle style_pressed;
  WidgetCallback callback = nullptr;
  bool no_outline = false;
  intptr_t user_value = 0;      // free for the owner
  float measured_width = 0.0f;  // written by the renderer for check boxes
  float measured_height = 0.0f;
  int32_t user_ints[3] = {};  // free for the owner
  WidgetState state = WidgetState::kNormal;
  bool visible = false;
  bool disabled = false;   // selects the disabled style; never hit
  bool checked = false;    // inverted on every click
  bool remeasure = false;  // size a push button to its text once
};

struct PanelLabel {
  TextAlign align_h = TextAlign::kNear;
  TextAlign align_v = TextAlign::kNear;
  char16_t text[kLabelTextLength] = {};
  RectF rect;
  WidgetStyle style;  // text colour, font style, size and name are used
  bool visible = false;
};

// Picture d (counted from 1) of a list, or null outside the list.
template <size_t N>
const PanelImage* PictureAt(const std::array<PanelImagePtr, N>& list, int d) {
  return d >= 1 && static_cast<size_t>(d) <= N ? list[d - 1].get() : nullptr;
}

// The skin's pictures and colours for the main window's own drawing.
struct SkinPictures {
  std::array<PanelImagePtr, 10> num;
  std::array<PanelImagePtr, 10> num_highlight;
  std::array<PanelImagePtr, 10> dir;
  std::array<PanelImagePtr, 10> dir_highlight;
  std::array<PanelImagePtr, 10> tilt_left;  // the skin loads the first 5
  std::array<PanelImagePtr, 10> tilt_left_highlight;
  std::array<PanelImagePtr, 10> tilt_right;
  std::array<PanelImagePtr, 10> tilt_right_highlight;
  std::array<PanelImagePtr, 2> battery;
  PanelImagePtr blank;
  uint32_t battery_color = 0xFF202020;
  uint32_t battery_empty_color = 0xFF802020;
};

// A title bar whose left is this asks the renderer to lay out both bars.
inline constexpr int32_t kAutoLayoutBars = -2;

struct SkinPanel {
  char16_t caption[kCaptionLength] = {};
  float scale = 1.0f;  // UiScale
  PanelRect title_bar;
  PanelRect bottom_bar;
  PanelRect client;   // as the window reports it
  PanelRect repaint;  // what the last hit tests changed
  bool repaint_pending = false;
  bool pointer_over_widget = false;
  // Drawn once and reused; reset it when the skin or the size changes.
  std::unique_ptr<PanelLayer> background;
  WidgetStyle status_style;   // bottom bar fill
  WidgetStyle caption_style;  // title bar gradient, caption text and font
  WidgetStyle panel_style;    // window outline, body gradient
  // The blocks owners copy into their widgets, labels and menus.
  WidgetStyle button_style;
  WidgetStyle button_hover_style;
  WidgetStyle button3_style;
  WidgetStyle text_style;
  WidgetStyle menu_style;
  std::vector<PanelWidget*> widgets;  // at most kMaxWidgets, not owned
  std::vector<PanelLabel*> labels;    // at most kMaxLabels, not owned
  PanelImagePtr texture;              // tiled under the body
  PanelImagePtr caption_icon;
  PanelImagePtr logo;
  int32_t logo_x = 0;  // unscaled, below the title bar
  int32_t logo_y = 0;
  PanelImagePtr check_unchecked;
  PanelImagePtr check_checked;
  SkinPictures pictures;
  float text_offset = 0.0f;    // texts move down by this times their font size
  PanelWidget* hot = nullptr;  // under the pointer after the last hit test
};

// Chooses the user-interface font once per process, then gives the panel
// its default styles and an empty widget list. The owner has filled the
// client rectangle.
void InitPanel(SkinPanel& panel);
// The same with the font state and font probe given.
void InitPanel(SkinPanel& panel, UiFont& font, const FontProbe& probe);

// Gives an initialised panel a new size and scale (the display scale
// changed), keeping its look: colours, pictures, the font family. Sets the
// client rectangle, the scale and the font size of every style InitPanel
// sized; the background is drawn again, and the widget and label lists are
// emptied for the owner to add them again at their new places.
void RescalePanel(SkinPanel& panel, const PanelRect& client, float scale, float font_size);

// Appends the widget and gives each of its styles with a font size of 0 the
// panel style's size. False (nothing added) when the list is full.
bool AddWidget(SkinPanel& panel, PanelWidget& widget);
// Appends the label. False when the list is full.
bool AddLabel(SkinPanel& panel, PanelLabel& label);

// Window messages that carry a point to the panel; any other is a move.
inline constexpr uint32_t kMessageLeftDown = 0x0201;
inline constexpr uint32_t kMessageLeftUp = 0x0202;

// Updates hover and pressed states for a pointer at (x, y), grows the
// repaint area over every widget whose state changed, and on a release over
// the widget the press began on inverts its checked flag and calls its
// callback. Returns whether the point lies in some widget.
bool PanelHitTest(SkinPanel& panel, uint32_t message, int x, int y);

// The style a widget is drawn with in its current state.
const WidgetStyle& ActiveStyle(const PanelWidget& widget);

// Size rules applied after measuring a widget's text. Each returns true
// when the owner must paint again.
// Check box: width = picture room (1.2 x height) + text width; true when
// that changes the whole-pixel width.
bool ApplyCheckBoxMeasure(PanelWidget& widget, float text_width, float text_height);
// Push button marked for re-measure: width = text width + 2.2 x font size,
// once; clears the mark.
bool ApplyPushButtonMeasure(PanelWidget& widget, float text_width);

}  // namespace tessaro
