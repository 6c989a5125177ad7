#include "ui/panel.h"

#include <algorithm>

#include "catalog/utf.h"
#include "ui/ui_font.h"

namespace tessaro {
namespace {

// The widget a left press began on. Shared by all panels, so the panel is
// part of it: a press in one window never clicks a widget of another.
struct PressedWidget {
  const SkinPanel* panel = nullptr;
  int index = -1;
};
PressedWidget pressed_widget;

// Hit rectangles grow by this much into the repaint area, so anti-aliased
// edges and outlines are repainted too.
constexpr int kRepaintMargin = 4;

PanelRect WidgetHitRect(const PanelWidget& widget) {
  const int left = static_cast<int>(widget.rect.x);
  const int top = static_cast<int>(widget.rect.y);
  return {left, top, static_cast<int>(widget.rect.x + widget.rect.width),
          static_cast<int>(widget.rect.y + widget.rect.height)};
}

bool Contains(const PanelRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

void AddToRepaint(SkinPanel& panel, PanelRect r) {
  r.left -= kRepaintMargin;
  r.top -= kRepaintMargin;
  r.right += kRepaintMargin;
  r.bottom += kRepaintMargin;
  if (!panel.repaint_pending) {
    panel.repaint = r;
    panel.repaint_pending = true;
    return;
  }
  panel.repaint.left = std::min(panel.repaint.left, r.left);
  panel.repaint.top = std::min(panel.repaint.top, r.top);
  panel.repaint.right = std::max(panel.repaint.right, r.right);
  panel.repaint.bottom = std::max(panel.repaint.bottom, r.bottom);
}

bool TakesPart(const PanelWidget& widget) {
  return widget.visible && !widget.disabled && widget.state != WidgetState::kInactive;
}

void SetDefaultStyles(SkinPanel& panel, const UiFont& font) {
  WidgetStyle& p = panel.panel_style;
  p.outline = 0xFF202020;
  p.glyph = 0xFF202020;
  p.fill = 0xFF606060;
  p.fill2 = 0xFFA0A0A0;
  p.angle = 90.0f;
  p.text = 0xFFFFFFFF;
  p.font_size = font.size;
  // Every style carries the chosen family, so widgets copied from the
  // default blocks draw in it rather than in the generic fallback.
  CopyToField(font.name, p.font_name, kFontNameLength);

  WidgetStyle& c = panel.caption_style;
  c.fill = 0xFF404040;
  c.fill2 = 0xFF202020;
  c.angle = 90.0f;
  c.text = 0xFFFFFFFF;
  c.text_bg = 0xFFB4B4B4;
  c.font_size = font.size;
  CopyToField(font.name, c.font_name, kFontNameLength);

  panel.button_style = p;
  panel.button_style.outline = 0xC8101010;
  panel.button_style.glyph = 0xFFFFFFFF;
  panel.button_style.fill = 0x96808080;
  panel.button_style.text = 0xFFDEDEDE;

  panel.button_hover_style = p;
  panel.button_hover_style.outline = 0x50FFFFFF;
  panel.button_hover_style.glyph = 0xFFFFFFFF;
  panel.button_hover_style.fill = 0xFF808080;
  panel.button_hover_style.fill2 = 0xFFA0A0A0;
  panel.button_hover_style.text = 0xFFFFFFFF;

  panel.button3_style = panel.button_hover_style;
  panel.text_style = panel.button_style;
  panel.menu_style = p;
}

}  // namespace

void InitPanel(SkinPanel& panel) { InitPanel(panel, ProcessUiFont(), PlatformFontProbe()); }

void InitPanel(SkinPanel& panel, UiFont& font, const FontProbe& probe) {
  ChooseUiFont(font, probe, panel);
  panel.widgets.clear();
  panel.hot = nullptr;
  panel.background.reset();
  SetDefaultStyles(panel, font);
}

void RescalePanel(SkinPanel& panel, const PanelRect& client, float scale, float font_size) {
  panel.client = client;
  panel.scale = scale;
  for (WidgetStyle* style : {&panel.panel_style, &panel.caption_style, &panel.button_style, &panel.button_hover_style,
                             &panel.button3_style, &panel.text_style, &panel.menu_style})
    style->font_size = font_size;
  panel.widgets.clear();
  panel.labels.clear();
  panel.hot = nullptr;
  panel.repaint = {};
  panel.repaint_pending = false;
  panel.pointer_over_widget = false;
  panel.background.reset();
}

bool AddWidget(SkinPanel& panel, PanelWidget& widget) {
  if (panel.widgets.size() >= kMaxWidgets) return false;
  panel.widgets.push_back(&widget);
  for (WidgetStyle* style : {&widget.style_normal, &widget.style_hover, &widget.style_disabled, &widget.style_pressed})
    if (style->font_size == 0.0f) style->font_size = panel.panel_style.font_size;
  return true;
}

bool AddLabel(SkinPanel& panel, PanelLabel& label) {
  if (panel.labels.size() >= kMaxLabels) return false;
  panel.labels.push_back(&label);
  return true;
}

bool PanelHitTest(SkinPanel& panel, uint32_t message, int x, int y) {
  panel.hot = nullptr;
  bool over_any = false;
  PanelWidget* clicked = nullptr;
  for (size_t i = 0; i < panel.widgets.size(); ++i) {
    PanelWidget& widget = *panel.widgets[i];
    if (!TakesPart(widget)) continue;
    const PanelRect hit = WidgetHitRect(widget);
    const WidgetState before = widget.state;
    if (Contains(hit, x, y)) {
      over_any = true;
      widget.state = WidgetState::kHover;
      panel.hot = &widget;
      if (message == kMessageLeftDown) {
        pressed_widget = {&panel, static_cast<int>(i)};
        widget.state = WidgetState::kPressed;
      } else if (message == kMessageLeftUp && pressed_widget.panel == &panel &&
                 pressed_widget.index == static_cast<int>(i)) {
        widget.checked = !widget.checked;
        clicked = &widget;
      }
    } else {
      widget.state = WidgetState::kNormal;
    }
    if (widget.state != before) AddToRepaint(panel, hit);
  }
  panel.pointer_over_widget = over_any;
  if (message == kMessageLeftUp) pressed_widget = {};
  // Called last, with the panel consistent: a callback may run a modal loop
  // that feeds this panel again.
  if (clicked && clicked->callback) clicked->callback(*clicked);
  return over_any;
}

const WidgetStyle& ActiveStyle(const PanelWidget& widget) {
  if (widget.disabled) return widget.style_disabled;
  switch (widget.state) {
    case WidgetState::kHover:
      return widget.style_hover;
    case WidgetState::kPressed:
      return widget.style_pressed;
    default:
      return widget.style_normal;
  }
}

bool ApplyCheckBoxMeasure(PanelWidget& widget, float text_width, float text_height) {
  widget.measured_width = text_width;
  widget.measured_height = text_height;
  const float width = widget.rect.height * 1.2f + text_width;
  const bool changed = static_cast<int>(width) != static_cast<int>(widget.rect.width);
  widget.rect.width = width;
  return changed;
}

bool ApplyPushButtonMeasure(PanelWidget& widget, float text_width) {
  if (!widget.remeasure) return false;
  widget.remeasure = false;
  widget.rect.width = text_width + 2.2f * ActiveStyle(widget).font_size;
  return true;
}

}  // namespace tessaro
