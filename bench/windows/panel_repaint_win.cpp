// Panel repaint cost under GDI+: the first paint, which draws the
// background layer (texture, gradients, soft edge, caption, logo), against
// a repaint that reuses the cached layer and draws only the widgets and
// labels. Goal: the cached repaint costs at most a quarter of the first.
//
// Usage (Windows build with -DTESSARO_BENCH=ON):
//   scripts/wine-run.sh build/windows/panel_repaint_win.exe [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "catalog/package.h"
#include "catalog/utf.h"
#include "ui/gdi_raii_win.h"
#include "ui/panel.h"
#include "ui/panel_render_win.h"
#include "ui/skin.h"

namespace {

using tessaro::PanelWidget;
using tessaro::WidgetKind;

constexpr int kWidth = 1152;
constexpr int kHeight = 768;
constexpr int kWidgets = 30;

// 30 widgets the way the main window has them: close and minimise, two
// check boxes, and push buttons with text in two columns.
std::vector<std::unique_ptr<PanelWidget>> MakeWidgets(tessaro::SkinPanel& panel) {
  std::vector<std::unique_ptr<PanelWidget>> widgets;
  for (int i = 0; i < kWidgets; ++i) {
    auto& w = *widgets.emplace_back(std::make_unique<PanelWidget>());
    w.visible = true;
    w.style_normal = w.style_disabled = panel.button_style;
    w.style_hover = w.style_pressed = panel.button_hover_style;
    const float row = 40.0f + 44.0f * (i % 15);
    const float column = i < 15 ? 300.0f : 720.0f;
    if (i == 0 || i == 1) {
      w.kind = i == 0 ? WidgetKind::kClose : WidgetKind::kMinimise;
      w.rect = {kWidth - 40.0f * (i + 1), 6.0f, 24.0f, 24.0f};
      w.no_outline = true;
    } else if (i == 2 || i == 3) {
      w.kind = WidgetKind::kCheckBox;
      w.rect = {40.0f, 560.0f + 44.0f * i, 200.0f, 36.0f};
      tessaro::CopyToField(u"Check box option", w.text, tessaro::kWidgetTextLength);
    } else {
      w.align = tessaro::TextAlign::kCenter;
      w.rect = {column, row, 400.0f, 40.0f};
      tessaro::CopyToField(u"Button action " + tessaro::Utf8ToUtf16(std::to_string(i)), w.text,
                           tessaro::kWidgetTextLength);
    }
    tessaro::AddWidget(panel, w);
  }
  return widgets;
}

template <class Paint>
double MeanMicroseconds(int rounds, Paint paint) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) paint();
  GdiFlush();
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / rounds;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const tessaro::GdiplusSession gdiplus;
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  tessaro::SetAppFolderFromModuleName(reinterpret_cast<const char16_t*>(module));

  tessaro::SkinPanel panel;
  panel.client = {0, 0, kWidth, kHeight};
  panel.scale = kWidth / 2400.0f;
  panel.title_bar.left = tessaro::kAutoLayoutBars;
  tessaro::CopyToField(u"Vornel", panel.caption, tessaro::kCaptionLength);
  tessaro::InitPanel(panel);
  tessaro::LoadSkin(panel);
  const auto widgets = MakeWidgets(panel);

  const tessaro::DibSection target(kWidth + 1, kHeight + 1);
  const tessaro::MemoryDc dc;
  const tessaro::SelectedObject selected(dc.get(), target.get());
  tessaro::RenderPanel(panel, dc.get());  // settles check box widths, warms fonts

  const double first = MeanMicroseconds(rounds, [&] {
    panel.background.reset();
    tessaro::RenderPanel(panel, dc.get());
  });
  const double cached = MeanMicroseconds(rounds, [&] { tessaro::RenderPanel(panel, dc.get()); });
  std::printf("panel %dx%d, %d widgets, %d rounds\n", kWidth, kHeight, kWidgets, rounds);
  std::printf("first paint (draws background): %9.1f us\n", first);
  std::printf("repaint (cached background):    %9.1f us\n", cached);
  std::printf("ratio: %.3f (goal <= 0.250)\n", cached / first);
  return cached <= first / 4 ? 0 : 1;
}
