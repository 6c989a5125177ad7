#include "ui/main_window_bottom_bar_win.h"

#include <string>

#include "catalog/language_table.h"
#include "catalog/utf.h"
#include "ui/main_window_bottom_bar.h"
#include "ui/panel_layout.h"
#include "ui/panel_render_win.h"

namespace tessaro {
namespace {

constexpr uint32_t kTextShadow = 0x280C0C0C;
// Wide enough that a measured bar text never wraps.
const Gdiplus::SizeF kMeasureLayout{2024.0f, 400.0f};

// One line, never wrapped, centred vertically.
class LineFormat {
 public:
  LineFormat(TextAlign align, bool measure_trailing_spaces) : format_(Gdiplus::StringFormat::GenericTypographic()) {
    format_.SetAlignment(static_cast<Gdiplus::StringAlignment>(align));
    format_.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    INT flags = format_.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap;
    if (measure_trailing_spaces) flags |= Gdiplus::StringFormatFlagsMeasureTrailingSpaces;
    format_.SetFormatFlags(flags);
  }
  const Gdiplus::StringFormat& get() const { return format_; }

 private:
  Gdiplus::StringFormat format_;
};

template <size_t N>
std::u16string_view FieldText(const char16_t (&field)[N]) {
  return {field, FieldLength(field, N)};
}

float Width(Gdiplus::Graphics& g, std::u16string_view text, const Gdiplus::Font* font, const LineFormat& format) {
  if (!font || text.empty()) return 0.0f;
  return MeasureText(g, text, *font, kMeasureLayout, format.get()).Width;
}

// The text one pixel right and down in the shadow colour, then in place.
void DrawShadowed(Gdiplus::Graphics& g, std::u16string_view text, const Gdiplus::Font* font, const RectF& box,
                  uint32_t color, const LineFormat& format) {
  if (!font || text.empty()) return;
  const auto* chars = reinterpret_cast<const WCHAR*>(text.data());
  const auto length = static_cast<INT>(text.size());
  const Gdiplus::SolidBrush shadow{Gdiplus::Color(kTextShadow)};
  g.DrawString(chars, length, font, Gdiplus::RectF(box.x + 1, box.y + 1, box.width, box.height), &format.get(),
               &shadow);
  const Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
  g.DrawString(chars, length, font, Gdiplus::RectF(box.x, box.y, box.width, box.height), &format.get(), &brush);
}

bool PlaceUpdateLinkWidget(Gdiplus::Graphics& g, PanelWidget& link, const RectF& version_box, float version_width,
                           const Gdiplus::Font* small, const LineFormat& format) {
  if (link.visible) return false;
  const float text_width = Width(g, FieldText(link.text), small, format);
  link.rect = PlaceUpdateLink(version_box, version_width, text_width, link.rect.height);
  link.visible = true;
  return true;
}

}  // namespace

bool DrawBottomBar(Gdiplus::Graphics& g, const MainWindowView& view) {
  const SkinPanel& panel = *view.panel;
  const BottomBarLayout bar = LayoutBottomBar(panel.bottom_bar, panel.scale);
  const std::u16string_view family = FamilyFor(FieldText(panel.caption_style.font_name), LanguageId, FontUse::kWidget);
  const auto font = MakeFont(family, bar.font_size, Gdiplus::FontStyleRegular);
  const auto small = MakeFont(family, bar.small_font_size, Gdiplus::FontStyleRegular);
  const uint32_t color = panel.status_style.text;

  const std::u16string version = VersionText(LanguageText(u"software version"), view.catalogue_version);
  const LineFormat version_format(TextAlign::kFar, true);
  DrawShadowed(g, version, small.get(), bar.version_box, color, version_format);

  const std::u16string device =
      view.model ? std::u16string(ConnectionKind(view.model->model_name)) : LanguageText(u"device not found");
  const LineFormat measure(TextAlign::kNear, false);
  const RectF* model_list = view.multiple_devices && view.model_list ? &view.model_list->rect : nullptr;
  const PlacedText placed = PlaceDeviceText(bar, Width(g, device, font.get(), measure), model_list);
  DrawShadowed(g, device, font.get(), placed.box, color, LineFormat(placed.align, false));

  const float version_width = Width(g, version, small.get(), version_format);
  bool again = false;
  if (view.check_for_updates) {
    again =
        PlaceUpdateLinkWidget(g, *view.check_for_updates, bar.version_box, version_width, small.get(), version_format);
  }
  if (!view.profile.empty()) {
    std::u16string profile = LanguageText(u"profile shown");
    profile.append(u" ").append(view.profile);
    float right = bar.version_box.x + bar.version_box.width - version_width;
    if (view.check_for_updates && view.check_for_updates->visible) right = view.check_for_updates->rect.x;
    right -= bar.font_size;
    const PlacedText placed = PlaceProfileText(bar, Width(g, profile, small.get(), measure), right);
    DrawShadowed(g, profile, small.get(), placed.box, color, LineFormat(placed.align, false));
  }
  return again;
}

}  // namespace tessaro
