#include "ui/panel_render_win.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/utf.h"
#include "ui/panel_image_win.h"
#include "ui/panel_layout.h"
#include "ui/pixel_paint.h"
#include "vxlib.h"

namespace tessaro {
namespace {

using Gdiplus::Color;
using Gdiplus::Graphics;
using Gdiplus::StringAlignment;

// Null when the family is missing or the font cannot be made from it.
GdiplusPtr<Gdiplus::Font> FontOf(const Gdiplus::FontFamily* family, float size, int style) {
  if (!family || family->GetLastStatus() != Gdiplus::Ok) return nullptr;
  auto font = MakeGdiplus<Gdiplus::Font>(family, size, style, Gdiplus::UnitPixel);
  return font->GetLastStatus() == Gdiplus::Ok ? std::move(font) : nullptr;
}

// The sans-serif face: GDI+'s generic family, or where GDI+ has none (Wine
// without its own fonts) the face the system's font mapper picks for a
// sans-serif request.
const std::wstring& SansSerifFace() {
  static const std::wstring face = [] {
    WCHAR name[LF_FACESIZE] = {};
    const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
    if (generic && generic->GetLastStatus() == Gdiplus::Ok && generic->GetFamilyName(name) == Gdiplus::Ok)
      return std::wstring(name);
    LOGFONTW wanted{};
    wanted.lfHeight = -16;
    wanted.lfCharSet = DEFAULT_CHARSET;
    wanted.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    wanted.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const GdiObject<HFONT> font(CreateFontIndirectW(&wanted));
    const WindowDc screen(nullptr);
    const SelectedObject selected(screen.get(), font.get());
    GetTextFaceW(screen.get(), LF_FACESIZE, name);
    return std::wstring(name);
  }();
  return face;
}

// The face that stands for a family name: the name itself when GDI+ has
// that family, else the sans-serif face. Remembered, because looking up a
// missing family costs a font enumeration and every paint asks again.
// Panels paint on more than one thread (the key capture dialog has its own).
std::wstring FamilyFace(std::wstring_view family) {
  static std::mutex mutex;
  static std::map<std::wstring, std::wstring, std::less<>> faces;
  const std::lock_guard lock(mutex);
  if (const auto it = faces.find(family); it != faces.end()) return it->second;
  const std::wstring name(family);
  const Gdiplus::FontFamily named(name.c_str());
  return faces[name] = named.GetLastStatus() == Gdiplus::Ok ? name : SansSerifFace();
}

// The cached background: one bitmap of client size plus one pixel.
class BackgroundLayer final : public PanelLayer {
 public:
  BackgroundLayer(int width, int height) : dib(width, height) {}
  DibSection dib;
};

constexpr uint32_t kTransparent = 0x01000000;
constexpr uint32_t kSoftEdgeColor = 0x18080808;
constexpr float kWindowOutlineWidth = 2.0f;

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::u16string_view FieldText(const char16_t* field, size_t capacity) { return {field, FieldLength(field, capacity)}; }

Gdiplus::RectF ToGdiplus(const RectF& r) { return {r.x, r.y, r.width, r.height}; }

RectF ToRectF(const PanelRect& r) {
  return {static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right - r.left),
          static_cast<float>(r.bottom - r.top)};
}

void PrepareForText(Graphics& g) {
  g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
}

// The typographic format with the given alignments.
class TextFormat {
 public:
  TextFormat(TextAlign horizontal, TextAlign vertical) : format_(Gdiplus::StringFormat::GenericTypographic()) {
    format_.SetAlignment(static_cast<StringAlignment>(horizontal));
    format_.SetLineAlignment(static_cast<StringAlignment>(vertical));
  }
  const Gdiplus::StringFormat& get() const { return format_; }

 private:
  Gdiplus::StringFormat format_;
};

void PaintText(Graphics& g, std::u16string_view text, const Gdiplus::Font* font, const RectF& box, uint32_t color,
               const TextFormat& format) {
  if (text.empty() || !font) return;
  const Gdiplus::SolidBrush brush{Color(color)};
  g.DrawString(reinterpret_cast<const WCHAR*>(text.data()), static_cast<INT>(text.size()), font, ToGdiplus(box),
               &format.get(), &brush);
}

void DrawPicture(Graphics& g, const PanelImage* picture, const RectF& r) {
  if (Gdiplus::Image* image = GdiplusImageOf(picture)) g.DrawImage(image, ToGdiplus(r));
}

// The fills, the texture, the gradients and the rim go straight into the
// layer's pixels (ui/pixel_paint.h); GDI+ draws the pictures and the text.
void DrawBackground(const SkinPanel& panel, const DibSection& dib, int w, int h) {
  const PixelSurface pixels{dib.pixels(), dib.width(), dib.height(), dib.width()};
  FillPixels(pixels, kTransparent);
  const auto wf = static_cast<float>(w);
  const auto hf = static_cast<float>(h);
  const RectF inside{0.0f, 0.0f, wf - 1, hf - 1};

  Gdiplus::Bitmap* texture = GdiplusImageOf(panel.texture.get());
  if (texture) {
    const LockedBitmapBits tile(*texture);
    if (tile) BlendTile(pixels, {tile.pixels(), tile.width(), tile.height(), tile.stride()}, inside);
  }
  const WidgetStyle& caption = panel.caption_style;
  BlendLinearGradient(pixels, ToRectF(panel.title_bar), {caption.fill, caption.fill2}, caption.angle);
  BlendLinearGradient(pixels, BodyRect(panel), BodyGradient(panel.panel_style, texture != nullptr),
                      panel.panel_style.angle);
  BlendRect(pixels, ToRectF(panel.bottom_bar), panel.status_style.fill);
  BlendFrame(pixels, inside, kWindowOutlineWidth, panel.panel_style.outline);

  Gdiplus::Bitmap canvas(dib.width(), dib.height(), dib.width() * 4, PixelFormat32bppPARGB,
                         reinterpret_cast<BYTE*>(dib.pixels()));
  Graphics g(&canvas);
  PrepareForText(g);
  if (Gdiplus::Image* logo = GdiplusImageOf(panel.logo.get())) {
    const float s = panel.scale;
    g.DrawImage(logo, panel.logo_x * s, panel.logo_y * s + panel.title_bar.bottom, logo->GetWidth() * s,
                logo->GetHeight() * s);
    g.Flush(Gdiplus::FlushIntentionSync);
  }
  for (float width : SoftEdgeWidths(panel.scale)) BlendFrame(pixels, inside, width, kSoftEdgeColor);

  const CaptionLayout layout = LayoutCaption(panel, panel.caption_icon != nullptr);
  DrawPicture(g, panel.caption_icon.get(), layout.icon);
  const auto font = MakeFont(FamilyFor(FieldText(caption.font_name, kFontNameLength), LanguageId, FontUse::kCaption),
                             caption.font_size, Gdiplus::FontStyleRegular);
  PaintText(g, FieldText(panel.caption, kCaptionLength), font.get(), layout.text, caption.text,
            TextFormat(TextAlign::kNear, TextAlign::kCenter));
}

// The background layer, drawn when missing or of another size.
const BackgroundLayer* Background(SkinPanel& panel, int w, int h) {
  if (const auto* layer = dynamic_cast<const BackgroundLayer*>(panel.background.get()))
    if (layer->dib.width() == w + 1 && layer->dib.height() == h + 1) return layer;
  auto layer = std::make_unique<BackgroundLayer>(w + 1, h + 1);
  if (!layer->dib) {
    panel.background.reset();
    return nullptr;
  }
  DrawBackground(panel, layer->dib, w, h);
  GdiFlush();
  panel.background = std::move(layer);
  return static_cast<const BackgroundLayer*>(panel.background.get());
}

void CopyLayer(const BackgroundLayer& layer, HDC dc) {
  const MemoryDc source(dc);
  const SelectedObject selected(source.get(), layer.dib.get());
  BitBlt(dc, 0, 0, layer.dib.width(), layer.dib.height(), source.get(), 0, 0, SRCCOPY);
}

// GDI+ drawing on a DC. When the DC holds a 32-bit DIB section with no
// clipping or origin shift (a memory composition), GDI+ draws straight into
// its pixels; through the DC it would copy pixels out and back for every
// anti-aliased primitive.
class Canvas {
 public:
  explicit Canvas(HDC dc) {
    DIBSECTION dib{};
    const HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (bitmap && GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBitsPixel == 32 && dib.dsBm.bmBits &&
        Plain(dc)) {
      auto* scan0 = static_cast<BYTE*>(dib.dsBm.bmBits);
      INT stride = dib.dsBm.bmWidthBytes;
      if (!TopDown(dc, dib)) {
        scan0 += static_cast<ptrdiff_t>(dib.dsBm.bmHeight - 1) * stride;
        stride = -stride;
      }
      pixels_.emplace(dib.dsBm.bmWidth, dib.dsBm.bmHeight, stride, PixelFormat32bppPARGB, scan0);
      graphics_.emplace(&*pixels_);
    } else {
      graphics_.emplace(dc);
    }
    PrepareForText(*graphics_);
  }
  Graphics& get() { return *graphics_; }

 private:
  // Whether the first row in memory is the top one. The header's sign does
  // not tell reliably, so GDI sets the top-left pixel and we look where it
  // landed; both candidate pixels get their old values back.
  static bool TopDown(HDC dc, const DIBSECTION& dib) {
    auto* first = static_cast<uint32_t*>(dib.dsBm.bmBits);
    auto* last = first + static_cast<ptrdiff_t>(dib.dsBm.bmHeight - 1) * (dib.dsBm.bmWidthBytes / 4);
    GdiFlush();
    const uint32_t saved_first = *first;
    const uint32_t saved_last = *last;
    *first = 0;
    SetPixelV(dc, 0, 0, RGB(255, 255, 255));
    GdiFlush();
    const bool top_down = *first != 0;
    *last = saved_last;
    *first = saved_first;
    return top_down;
  }

  static bool Plain(HDC dc) {
    POINT viewport{}, window{};
    GetViewportOrgEx(dc, &viewport);
    GetWindowOrgEx(dc, &window);
    const GdiObject<HRGN> clip(CreateRectRgn(0, 0, 0, 0));
    return viewport.x == 0 && viewport.y == 0 && window.x == 0 && window.y == 0 && GetClipRgn(dc, clip.get()) == 0;
  }

  std::optional<Gdiplus::Bitmap> pixels_;
  std::optional<Graphics> graphics_;
};

// The fonts of one paint: widgets and labels mostly share a few.
class FontCache {
 public:
  const Gdiplus::Font* Get(std::u16string_view family, float size, int style) {
    for (const Entry& e : entries_)
      if (e.family == family && e.size == size && e.style == style) return e.font.get();
    return entries_.emplace_back(Entry{std::u16string(family), size, style, MakeFont(family, size, style)}).font.get();
  }

 private:
  struct Entry {
    std::u16string family;
    float size;
    int style;
    GdiplusPtr<Gdiplus::Font> font;
  };
  std::vector<Entry> entries_;
};

// What every widget of one paint shares.
struct WidgetPaint {
  Graphics& g;
  const SkinPanel& panel;
  float caption_height;
  FontCache& fonts;
};

bool DrawCheckBox(const WidgetPaint& paint, PanelWidget& widget, const WidgetStyle& style, const Gdiplus::Font* font) {
  const SkinPanel& panel = paint.panel;
  const PanelImage* picture =
      widget.checked && panel.check_checked ? panel.check_checked.get() : panel.check_unchecked.get();
  DrawPicture(paint.g, picture, CheckBoxPicture(widget.rect));
  const std::u16string_view text = FieldText(widget.text, kWidgetTextLength);
  bool again = false;
  if (font) {
    const TextFormat typographic(TextAlign::kNear, TextAlign::kNear);
    const Gdiplus::SizeF size = MeasureText(paint.g, text, *font, {1024.0f, 400.0f}, typographic.get());
    again = ApplyCheckBoxMeasure(widget, size.Width, size.Height);
  }
  PaintText(paint.g, text, font, CheckBoxTextBox(widget.rect, panel.text_offset * style.font_size), style.text,
            TextFormat(TextAlign::kNear, TextAlign::kCenter));
  return again;
}

// Push buttons, close and minimise buttons: a rounded body, then the text,
// cross or bar.
bool DrawButton(const WidgetPaint& paint, PanelWidget& widget, const WidgetStyle& style, const Gdiplus::Font* font) {
  Graphics& g = paint.g;
  const bool push = widget.kind != WidgetKind::kClose && widget.kind != WidgetKind::kMinimise;
  const std::u16string_view text = FieldText(widget.text, kWidgetTextLength);
  bool again = false;
  if (push && widget.remeasure && font) {
    const TextFormat typographic(TextAlign::kNear, TextAlign::kNear);
    again = ApplyPushButtonMeasure(widget, MeasureText(g, text, *font, {2024.0f, 400.0f}, typographic.get()).Width);
  }
  const RectF& r = widget.rect;
  Gdiplus::GraphicsPath path;
  VX_MISC_CreateRoundPath(&path, static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.width + 1),
                          static_cast<int>(r.height + 1), CornerRadius(paint.panel.caption_style.font_size), 0);
  const Gdiplus::SolidBrush fill{Color(style.fill)};
  g.FillPath(&fill, &path);
  if (!widget.no_outline) {
    const Gdiplus::Pen outline(Color(style.outline), static_cast<float>(OutlinePenWidth(paint.caption_height)));
    g.DrawPath(&outline, &path);
  }

  const Gdiplus::Pen glyph(Color(style.glyph), static_cast<float>(GlyphPenWidth(paint.caption_height)));
  if (widget.kind == WidgetKind::kClose) {
    for (const LineF& l : CloseCross(r)) g.DrawLine(&glyph, l.x1, l.y1, l.x2, l.y2);
  } else if (widget.kind == WidgetKind::kMinimise) {
    const LineF l = MinimiseBar(r);
    g.DrawLine(&glyph, l.x1, l.y1, l.x2, l.y2);
  } else {
    PaintText(g, text, font, PushButtonTextBox(r, paint.panel.text_offset * style.font_size), style.text,
              TextFormat(widget.align, TextAlign::kCenter));
  }
  return again;
}

bool DrawWidget(const WidgetPaint& paint, PanelWidget& widget) {
  const WidgetStyle& style = ActiveStyle(widget);
  const Gdiplus::Font* font =
      paint.fonts.Get(FamilyFor(FieldText(style.font_name, kFontNameLength), LanguageId, FontUse::kWidget),
                      style.font_size, Gdiplus::FontStyleRegular);
  if (widget.kind == WidgetKind::kCheckBox) return DrawCheckBox(paint, widget, style, font);
  return DrawButton(paint, widget, style, font);
}

void DrawLabel(const WidgetPaint& paint, const PanelLabel& label) {
  const WidgetStyle& style = label.style;
  const Gdiplus::Font* font =
      paint.fonts.Get(FamilyFor(FieldText(style.font_name, kFontNameLength), LanguageId, FontUse::kLabel),
                      style.font_size, style.font_style);
  const SkinPanel& panel = paint.panel;
  PaintText(paint.g, FieldText(label.text, kLabelTextLength), font,
            MovedDown(label.rect, panel.text_offset * style.font_size), style.text,
            TextFormat(label.align_h, label.align_v));
}

}  // namespace

GdiplusPtr<Gdiplus::Font> MakeFont(std::u16string_view family, float size, int style) {
  const Gdiplus::FontFamily chosen(FamilyFace(Wide(family)).c_str());
  if (auto font = FontOf(&chosen, size, style)) return font;
  // The family exists but cannot give this font (a missing style).
  const Gdiplus::FontFamily sans(SansSerifFace().c_str());
  return FontOf(&sans, size, style);
}

Gdiplus::SizeF MeasureText(Graphics& graphics, std::u16string_view text, const Gdiplus::Font& font,
                           const Gdiplus::SizeF& layout, const Gdiplus::StringFormat& format) {
  Gdiplus::RectF bounds;
  graphics.MeasureString(reinterpret_cast<const WCHAR*>(text.data()), static_cast<INT>(text.size()), &font,
                         Gdiplus::RectF(0, 0, layout.Width, layout.Height), &format, &bounds);
  return {bounds.Width, bounds.Height};
}

bool RenderPanel(SkinPanel& panel, HDC dc) {
  LayoutBars(panel);
  const int w = panel.client.right - panel.client.left;
  const int h = panel.client.bottom - panel.client.top;
  if (const BackgroundLayer* layer = Background(panel, w, h)) CopyLayer(*layer, dc);

  Canvas canvas(dc);
  FontCache fonts;
  const WidgetPaint paint{canvas.get(), panel, CaptionHeight(panel), fonts};
  bool again = false;
  for (PanelWidget* widget : panel.widgets)
    if (widget->visible) again |= DrawWidget(paint, *widget);
  for (const PanelLabel* label : panel.labels)
    if (label->visible) DrawLabel(paint, *label);
  return again;
}

}  // namespace tessaro
