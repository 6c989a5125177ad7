#include "ui/panel_layout.h"

#include <algorithm>

namespace tessaro {
namespace {

constexpr int32_t kKorean = 1042;
constexpr int32_t kJapanese = 1041;

float CrossInset(const RectF& r) { return std::max(4.0f, r.height * 0.25f); }

uint32_t HalveRgb(uint32_t color, uint32_t alpha) {
  const uint32_t r = ((color >> 16) & 0xFF) / 2;
  const uint32_t g = ((color >> 8) & 0xFF) / 2;
  const uint32_t b = (color & 0xFF) / 2;
  return alpha << 24 | r << 16 | g << 8 | b;
}

}  // namespace

float CaptionHeight(const SkinPanel& panel) { return panel.caption_style.font_size * 1.8f; }

void LayoutBars(SkinPanel& panel) {
  if (panel.title_bar.left != kAutoLayoutBars) return;
  const int w = panel.client.right - panel.client.left;
  const int h = panel.client.bottom - panel.client.top;
  const float bar = CaptionHeight(panel);
  panel.title_bar = {0, 1, w - 1, static_cast<int32_t>(bar + 1)};
  panel.bottom_bar = {1, static_cast<int32_t>(h - bar * 1.2f - 4), w - 1, h - 1};
}

CaptionLayout LayoutCaption(const SkinPanel& panel, bool has_icon) {
  const float w = static_cast<float>(panel.client.right - panel.client.left);
  const float t = CaptionHeight(panel);
  CaptionLayout out;
  float text_x = 10.0f * panel.scale;
  if (has_icon) {
    const float inset = static_cast<float>(static_cast<int>(t * 0.2f));
    out.icon = {inset, 1.0f + inset, t - 2 * inset, t - 2 * inset};
    text_x += t;
  }
  out.text = {text_x, 1.0f + panel.text_offset * panel.caption_style.font_size, w - 1 - text_x, t};
  return out;
}

RectF BodyRect(const SkinPanel& panel) {
  const PanelRect& title = panel.title_bar;
  return {static_cast<float>(title.left), static_cast<float>(title.bottom),
          static_cast<float>(title.right - title.left), static_cast<float>(panel.bottom_bar.top - title.bottom)};
}

Gradient BodyGradient(const WidgetStyle& panel_style, bool over_texture) {
  if (!over_texture) return {panel_style.fill, panel_style.fill2};
  return {HalveRgb(panel_style.fill, 0x0A), HalveRgb(panel_style.fill2, 0x50)};
}

std::array<float, 4> SoftEdgeWidths(float scale) {
  const float w = std::max(8.0f, 16.0f * scale);
  return {w, w * 0.5f, w * 0.25f, w * 0.125f};
}

int CornerRadius(float caption_font_size) { return std::max(4, static_cast<int>(caption_font_size * 0.25f) & ~1); }
int OutlinePenWidth(float caption_height) { return std::max(2, static_cast<int>(caption_height / 18)); }
int GlyphPenWidth(float caption_height) { return std::max(2, static_cast<int>(caption_height / 15)); }

std::array<LineF, 2> CloseCross(const RectF& r) {
  const float k = CrossInset(r);
  const float left = r.x + k;
  const float right = r.x + r.width - k - 1;
  const float top = r.y + k;
  const float bottom = r.y + r.height - k - 1;
  return {LineF{left, top, right, bottom}, LineF{right, top, left, bottom}};
}

LineF MinimiseBar(const RectF& r) {
  const float k = CrossInset(r);
  const float y = r.y + r.height * 0.5f;
  return {r.x + k, y, r.x + r.width - k - 1, y};
}

RectF CheckBoxPicture(const RectF& r) { return {r.x, r.y + r.height * 0.1f, r.height * 0.8f, r.height * 0.8f}; }

RectF CheckBoxTextBox(const RectF& r, float text_offset) {
  const float room = 1.2f * r.height * 0.8f;
  return {r.x + room, r.y + text_offset, r.width - room, r.height};
}

RectF PushButtonTextBox(const RectF& r, float text_offset) {
  const float pad = r.height * 0.25f;
  return {r.x + pad, r.y + text_offset, r.width - 2 * pad, r.height};
}

RectF MovedDown(RectF r, float dy) {
  r.y += dy;
  return r;
}

std::u16string_view FamilyFor(std::u16string_view family, int32_t language_id, FontUse use) {
  if (language_id == kKorean) return u"Malgun Gothic";
  if (language_id == kJapanese && use == FontUse::kWidget) return u"Meiryo";
  return family;
}

}  // namespace tessaro
