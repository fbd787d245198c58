#include "objects/EquationPanel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "gfx/PixelMath.h"
#include "i18n/TtlmController.h"
#include "objects/EquationReadout.h"

namespace {

constexpr int kOffset = 14;  // from the image, clear of its mark and label
constexpr int kPadding = 4;
constexpr TColor kPanelColour = 0x303030;
constexpr TColor kTextColour = 0xFFFFFF;

std::string Fixed(double v, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

std::vector<std::string> PanelLines(const EquationReadout& r) {
  return {"f = " + Fixed(r.f, 1) + "   u = " + Fixed(r.u, 1),
          "v = " + Fixed(r.v, 1) + "   m = -v/u = " + Fixed(r.m, 2),
          (r.real ? Tr("Equation.Real", "实像") : Tr("Equation.Virtual", "虚像")) + "  " +
              (r.upright ? Tr("Equation.Upright", "正立") : Tr("Equation.Inverted", "倒立")),
          "1/u + 1/v = 1/f:  1/" + Fixed(r.u, 1) + " + 1/(" + Fixed(r.v, 1) + ") = 1/(" +
              Fixed(r.f, 1) + ")"};
}

}  // namespace

void PaintEquationPanels(TCanvas& canvas, const ObjectList& scene) {
  const CanvasStyleKeeper keep(canvas);
  canvas.Font = ReadoutFont(kTextColour);
  struct Box {
    int x1, y1, x2, y2;
  };
  std::vector<Box> placed;
  for (const auto& r : ReadEquations(scene)) {
    if (!r.finite || !(std::abs(r.image.x) < 1e6f && std::abs(r.image.y) < 1e6f)) continue;
    const auto lines = PanelLines(r);
    int width = 0, height = 0;
    for (const auto& line : lines) {
      width = std::max(width, canvas.TextWidth(line));
      height = std::max(height, canvas.TextHeight(line));
    }
    const int x = Trunc(r.image.x) + kOffset;
    const int boxWidth = width + 2 * kPadding,
              boxHeight = int(lines.size()) * height + 2 * kPadding;
    // Below the panels it would cover: images of one scene often stand close.
    int y = Trunc(r.image.y) + kOffset;
    for (bool moved = true; moved;) {
      moved = false;
      for (const Box& b : placed)
        if (x < b.x2 && b.x1 < x + boxWidth && y < b.y2 && b.y1 < y + boxHeight) {
          y = b.y2 + kPadding;
          moved = true;
        }
    }
    placed.push_back({x, y, x + boxWidth, y + boxHeight});
    canvas.Pen.mode = TPenMode::Copy;
    canvas.Brush.style = TBrushStyle::Solid;
    canvas.Brush.color = kPanelColour;
    canvas.FillRect(x, y, x + boxWidth, y + boxHeight);
    canvas.Brush.style = TBrushStyle::Clear;
    for (std::size_t i = 0; i < lines.size(); ++i)
      canvas.TextOut(x + kPadding, y + kPadding + int(i) * height, lines[i]);
  }
}
