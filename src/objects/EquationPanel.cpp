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

std::string Size(double m) {
  const double size = std::fabs(m);
  if (std::fabs(size - 1) < 0.005) return Tr("Equation.SameSize", "等大");
  return size > 1 ? Tr("Equation.Magnified", "放大") : Tr("Equation.Diminished", "缩小");
}

std::vector<std::string> PanelLines(const EquationReadout& r) {
  std::vector<std::string> lines{
      "f = " + Fixed(r.f, 1) + "   u = " + Fixed(r.u, 1),
      "v = " + Fixed(r.v, 1) + "   m = -v/u = " + Fixed(r.m, 2),
      (r.real ? Tr("Equation.Real", "实像") : Tr("Equation.Virtual", "虚像")) + "  " +
          (r.upright ? Tr("Equation.Upright", "正立") : Tr("Equation.Inverted", "倒立")) + "  " +
          Size(r.m),
      "1/u + 1/v = 1/f:  1/" + Fixed(r.u, 1) + " + 1/(" + Fixed(r.v, 1) + ") = 1/(" +
          Fixed(r.f, 1) + ")"};
  if (r.chained)
    lines.push_back(
        Tr("Equation.Chain", "整组") + "  m = " + Fixed(r.chainM, 2) + "  " +
        (r.chainM > 0 ? Tr("Equation.Upright", "正立") : Tr("Equation.Inverted", "倒立")) + "  " +
        Size(r.chainM));
  return lines;
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
    const int boxWidth = width + 2 * kPadding,
              boxHeight = int(lines.size()) * height + 2 * kPadding;
    // Right of and below the image; left of or above it where the surface
    // ends, so the panel neither leaves the surface nor covers its image.
    const int ix = Trunc(r.image.x), iy = Trunc(r.image.y);
    int x = ix + kOffset;
    if (x + boxWidth > canvas.Width()) x = ix - kOffset - boxWidth;
    x = std::max(0, x);
    const int below = iy + kOffset, above = iy - kOffset - boxHeight;
    int y = below + boxHeight > canvas.Height() && above >= 0 ? above : below;
    // Then clear of the panels placed before: images often stand close.
    const int step = y == below ? 1 : -1;
    auto covers = [&](const Box& b) {
      return x < b.x2 && b.x1 < x + boxWidth && y < b.y2 && b.y1 < y + boxHeight;
    };
    for (bool moved = true; moved;) {
      moved = false;
      for (const Box& b : placed)
        if (covers(b)) {
          y = step > 0 ? b.y2 + kPadding : b.y1 - kPadding - boxHeight;
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
