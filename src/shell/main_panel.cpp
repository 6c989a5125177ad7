#include "shell/main_panel.h"

#include <atomic>
#include <string>
#include <vector>

#include "catalog/language_table.h"
#include "catalog/utf.h"
#include "ui/key_capture_logic.h"
#include "ui/panel_layout.h"

namespace tessaro {
namespace {

std::atomic<MainPanelWidgets*> main_panel{nullptr};

// Design lengths of the window at scale s.
struct Lengths {
  explicit Lengths(const SkinPanel& panel)
      : s(panel.scale),
        f(panel.caption_style.font_size),
        g(static_cast<int>(s * 44)),
        n(static_cast<int>(s * 100)),
        w(static_cast<int>(s * 880)),
        right(static_cast<float>(panel.client.right)),
        bottom(static_cast<float>(panel.client.bottom)),
        column_x(right - 60 * s - w),
        global_y(static_cast<float>(static_cast<int>(bottom - 4.5f * n))) {}
  float s;
  float f;
  int g;
  int n;
  int w;
  float right;
  float bottom;
  float column_x;  // left of the marker column and the settings below it
  float global_y;  // top of the global settings heading
};

void SetStyles(PanelWidget& widget, const SkinPanel& panel, float font_size) {
  widget.style_normal = panel.button_style;
  widget.style_hover = panel.button_hover_style;
  widget.style_disabled = panel.button_style;
  widget.style_pressed = panel.button3_style;
  for (WidgetStyle* style : {&widget.style_normal, &widget.style_hover, &widget.style_disabled, &widget.style_pressed})
    style->font_size = font_size;
}

void MakeWidget(PanelWidget& widget, SkinPanel& panel, WidgetKind kind, RectF rect, float font_size,
                std::u16string_view text, WidgetCallback callback, bool visible) {
  widget.kind = kind;
  widget.rect = rect;
  SetStyles(widget, panel, font_size);
  CopyToField(text, widget.text, kWidgetTextLength);
  widget.callback = callback;
  widget.visible = visible;
  AddWidget(panel, widget);
}

void MakeLabel(PanelLabel& label, SkinPanel& panel, RectF rect, float font_size, std::u16string_view text,
               bool visible) {
  label.style = panel.text_style;
  label.style.font_size = font_size;
  label.rect = rect;
  CopyToField(text, label.text, kLabelTextLength);
  label.visible = visible;
  AddLabel(panel, label);
}

void MakeTranslucent(PanelWidget& widget, const SkinPanel& panel) {
  widget.style_normal.fill = (panel.panel_style.fill & 0x00FFFFFFu) | 0x20000000u;
}

}  // namespace

void AddMainWidgets(MainPanelWidgets& main, const MainWidgetHandlers& handlers, const MainPanelState& state) {
  SkinPanel& panel = main.panel;
  const Lengths l(panel);
  const float bar_top = static_cast<float>(panel.bottom_bar.top);
  const float bar_height = static_cast<float>(panel.bottom_bar.bottom - panel.bottom_bar.top);
  const float c = static_cast<float>(static_cast<int>(bar_height * 0.66f));

  MakeWidget(main.close, panel, WidgetKind::kClose, {l.right - 4 - 1.4f * l.f, 0.3f * l.f, 1.2f * l.f, 1.2f * l.f}, l.f,
             {}, handlers.hide_or_minimise, true);
  main.close.no_outline = true;
  MakeWidget(main.minimise, panel, WidgetKind::kMinimise,
             {l.right - 8 - 3.2f * l.f, 0.3f * l.f, 1.2f * l.f, 1.2f * l.f}, l.f, {}, handlers.hide_or_minimise, true);
  main.minimise.no_outline = true;

  MakeWidget(main.model_list, panel, WidgetKind::kPushButton,
             {20 * l.s, bar_top + (bar_height - c) / 2, static_cast<float>(static_cast<int>(40 * l.s + 4.2f * c)), c},
             0.55f * c, LanguageText(u"model list"), handlers.open_model_menu, false);
  main.model_list.align = TextAlign::kCenter;
  MakeWidget(main.reset, panel, WidgetKind::kPushButton,
             {l.right - 120 * l.s - 8 * l.g, l.bottom - 250 * l.s, 60 * l.s + 8 * l.g, 100 * l.s},
             static_cast<float>(l.g), LanguageText(u"reset"), handlers.reset, false);
  main.reset.align = TextAlign::kCenter;

  for (int i = 0; i < kMarkerCount; ++i) {
    PanelWidget& marker = main.markers[i];
    marker.user_value = i;
    MakeWidget(marker, panel, WidgetKind::kPushButton,
               {l.column_x, 260 * l.s + i * l.n * 1.75f, static_cast<float>(l.w), static_cast<float>(l.n)},
               static_cast<float>(l.g), {}, handlers.open_function_menu, false);
  }

  MakeWidget(main.left_hand, panel, WidgetKind::kCheckBox,
             {l.column_x, l.global_y + l.n, 20.0f * l.g + 60 * l.s, 0.8f * l.n}, static_cast<float>(l.g),
             LanguageText(u"left hand"), handlers.left_hand, true);
  main.left_hand.checked = state.buttons_swapped;

  const RectF language_rect{main.minimise.rect.x - 9 * l.f, 0.18f * l.f, 7.2f * l.f, 1.44f * l.f};
  MakeWidget(main.language, panel, WidgetKind::kPushButton, language_rect, 0.5f * c, LanguageText(u"language name"),
             handlers.open_language_menu, true);
  main.language.align = TextAlign::kCenter;
  MakeTranslucent(main.language, panel);

  const float profiles_width = 9.0f * l.f;
  MakeWidget(main.profiles, panel, WidgetKind::kPushButton,
             {language_rect.x - 5 - profiles_width, language_rect.y, profiles_width, language_rect.height}, 0.5f * c,
             LanguageText(u"all programs"), handlers.open_profile_menu, true);
  main.profiles.align = TextAlign::kCenter;
  MakeTranslucent(main.profiles, panel);

  MakeWidget(main.slowdown, panel, WidgetKind::kCheckBox,
             {l.column_x, l.global_y + 2.0f * l.n, 20.0f * l.g + 60 * l.s, 0.8f * l.n}, static_cast<float>(l.g),
             LanguageText(u"slowdown enable"), handlers.slowdown, true);

  MakeWidget(main.modifier, panel, WidgetKind::kPushButton,
             {l.column_x + 200, l.global_y + 2.1f * l.n, 5.0f * l.g + 10 * l.s, 0.66f * l.n}, 0.8f * l.g,
             ModifierText(state.slowdown_modifier), handlers.capture_modifier, true);
  main.modifier.remeasure = true;

  main.has_check_for_updates = state.has_update_url;
  if (state.has_update_url) {
    MakeWidget(main.check_for_updates, panel, WidgetKind::kPushButton,
               {language_rect.x - language_rect.width - 5, language_rect.y, language_rect.width, language_rect.height},
               0.5f * c, LanguageText(u"check for updates"), handlers.open_update_page, false);
    main.check_for_updates.align = TextAlign::kCenter;
    MakeTranslucent(main.check_for_updates, panel);
  }

  for (int i = 0; i < kMarkerCount; ++i) {
    const RectF& marker = main.markers[i].rect;
    const float q = 0.8f * main.markers[i].style_normal.font_size;
    PanelLabel& label = main.marker_numbers[i];
    label.align_h = TextAlign::kFar;
    label.align_v = TextAlign::kCenter;
    MakeLabel(label, panel, {marker.x - 12 * q, marker.y, 11.4f * q, marker.height}, q,
              Utf8ToUtf16(std::to_string(i + 1)), false);
  }
  MakeLabel(main.button_setting_heading, panel,
            {l.column_x, 260 * l.s - 1.2f * l.n, static_cast<float>(l.w), static_cast<float>(l.n)}, 1.2f * l.g,
            LanguageText(u"button setting"), false);
  MakeLabel(main.global_setting_heading, panel,
            {l.column_x, l.global_y, static_cast<float>(l.w), static_cast<float>(l.n)}, 1.2f * l.g,
            LanguageText(u"global setting"), true);
}

void RescaleMainPanel(MainPanelWidgets& main, const MainWidgetHandlers& handlers, const PanelRect& client, float scale,
                      float font_size) {
  struct KeptWidget {
    PanelWidget* widget;
    std::u16string text;
    bool visible;
    bool checked;
  };
  struct KeptLabel {
    PanelLabel* label;
    std::u16string text;
    bool visible;
  };
  SkinPanel& panel = main.panel;
  std::vector<KeptWidget> widgets;
  for (PanelWidget* w : panel.widgets) widgets.push_back({w, w->text, w->visible, w->checked});
  std::vector<KeptLabel> labels;
  for (PanelLabel* l : panel.labels) labels.push_back({l, l->text, l->visible});

  RescalePanel(panel, client, scale, font_size);
  panel.title_bar.left = kAutoLayoutBars;
  LayoutBars(panel);
  // The modifier widget's text is among the kept ones.
  AddMainWidgets(main, handlers, {main.left_hand.checked, 0, main.has_check_for_updates});
  for (const KeptWidget& kept : widgets) {
    CopyToField(kept.text, kept.widget->text, kWidgetTextLength);
    kept.widget->visible = kept.visible;
    kept.widget->checked = kept.checked;
  }
  for (const KeptLabel& kept : labels) {
    CopyToField(kept.text, kept.label->text, kLabelTextLength);
    kept.label->visible = kept.visible;
  }
  main.check_for_updates.visible = false;
}

void PlaceModifierWidget(MainPanelWidgets& main) {
  main.modifier.rect.x = main.slowdown.rect.x + main.slowdown.measured_width + main.slowdown.rect.height * 1.1f;
}

int HotMarker(const MainPanelWidgets& main) {
  for (int i = 0; i < kMarkerCount; ++i)
    if (main.panel.hot == &main.markers[i]) return i;
  return -1;
}

MainPanelWidgets* MainPanel() { return main_panel.load(); }
void SetMainPanel(MainPanelWidgets* main) { main_panel.store(main); }

}  // namespace tessaro
