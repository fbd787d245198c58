#include "objects/EquationPanel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "gfx/PixelMath.h"
#include "gfx/PresentationScale.h"
#include "i18n/TtlmController.h"
#include "objects/EquationReadout.h"

namespace {

constexpr int kGap = 6;  // between a panel and its image
constexpr int kPadding = 4;
constexpr int kMarkMargin = 12;       // the image dot, arrowhead and pen around A'B'
constexpr int kImageLabelOffset = 8;  // as the trace places "A'" and "B'"
constexpr int kStacked = 4;
// Beyond this many panels the surface is full: no search for a free place.
constexpr std::size_t kScannedPanels = 32;
constexpr int kMinStep = 8;
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
  // Which object the numbers are of, and against which element.
  std::vector<std::string> lines{r.source == r.element ? r.element : r.source + " → " + r.element,
                                 "f = " + Fixed(r.f, 1) + "   u = " + Fixed(r.u, 1),
                                 "v = " + Fixed(r.v, 1) + "   m = -v/u = " + Fixed(r.m, 2),
                                 ImageNature(r),
                                 "1/u + 1/v = 1/f:  1/" + Fixed(r.u, 1) + " + 1/(" + Fixed(r.v, 1) +
                                     ") = 1/(" + Fixed(r.f, 1) + ")"};
  if (r.chained)
    lines.push_back(
        Tr("Equation.Chain", "整组") + "  m = " + Fixed(r.chainM, 2) + "  " +
        (r.chainM > 0 ? Tr("Equation.Upright", "正立") : Tr("Equation.Inverted", "倒立")) + "  " +
        Size(r.chainM));
  return lines;
}

}  // namespace

std::string ImageNature(const EquationReadout& r) {
  return (r.real ? Tr("Equation.Real", "实像") : Tr("Equation.Virtual", "虚像")) + "  " +
         (r.upright ? Tr("Equation.Upright", "正立") : Tr("Equation.Inverted", "倒立")) + "  " +
         Size(r.m);
}

std::string PanelNumber(double value, int decimals) { return Fixed(value, decimals); }

namespace {

// The image's own rectangle: A'B' (or the point), the dot and arrowhead
// around it, and the labels "A'" and "B'" right of and below each end.
PanelRect ImageRect(TCanvas& canvas, const EquationReadout& r) {
  const TFont font = canvas.Font;
  canvas.Font = TFont{};  // the labels' Arial 8
  const int labelWidth = canvas.TextWidth("B'"), labelHeight = canvas.TextHeight("B'");
  canvas.Font = font;
  const int mark = Scaled(kMarkMargin), label = Scaled(kImageLabelOffset);
  const int x1 = Trunc(std::min(r.image.x, r.imageEnd.x)),
            x2 = Trunc(std::max(r.image.x, r.imageEnd.x)),
            y1 = Trunc(std::min(r.image.y, r.imageEnd.y)),
            y2 = Trunc(std::max(r.image.y, r.imageEnd.y));
  return {x1 - mark, y1 - mark, x2 + std::max(mark, label + labelWidth),
          y2 + std::max(mark, label + labelHeight)};
}

bool OnSurface(const TPointF& p) { return std::abs(p.x) < 1e6f && std::abs(p.y) < 1e6f; }

// The panel's place: inside the surface, clear of every image and of the
// panels placed before (`clear` says whether it is). Nearest: beside the
// image (right, below, left, above, then stacked along those sides), then
// anywhere nearest it; else the first free place from the top left, which
// packs large panels where nearness leaves gaps.
PanelRect Place(const PanelRect& image, int w, int h, int width, int height, bool nearest,
                const std::vector<PanelRect>& images, const std::vector<PanelRect>& placed,
                bool& clear) {
  const int gap = Scaled(kGap);
  auto at = [&](long long x, long long y) {
    const int cx = int(std::max(0LL, std::min<long long>(x, width - w)));
    const int cy = int(std::max(0LL, std::min<long long>(y, height - h)));
    return PanelRect{cx, cy, cx + w, cy + h};
  };
  std::vector<PanelRect> candidates;
  for (int k = 0; nearest && k < kStacked; ++k) {
    const long long along = (long long)k * (h + gap), across = (long long)k * (w + gap);
    candidates.push_back(at((long long)image.x2 + gap, image.y1 + along));
    candidates.push_back(at(image.x1 + across, (long long)image.y2 + gap));
    candidates.push_back(at((long long)image.x1 - gap - w, image.y1 + along));
    candidates.push_back(at(image.x1 + across, (long long)image.y1 - gap - h));
    if (k == 0) continue;
    candidates.push_back(at((long long)image.x2 + gap, image.y1 - along));
    candidates.push_back(at((long long)image.x1 - gap - w, image.y1 - along));
  }
  const std::size_t beside = candidates.size();
  if (placed.size() < kScannedPanels) {
    const int stepX = std::max(kMinStep, w / 4), stepY = std::max(kMinStep, h / 4);
    for (int y = 0; y + h <= height; y += stepY)
      for (int x = 0; x + w <= width; x += stepX) candidates.push_back({x, y, x + w, y + h});
  }
  if (nearest) {
    const long long cx = (image.x1 + image.x2) / 2, cy = (image.y1 + image.y2) / 2;
    auto distance = [&](const PanelRect& p) {
      const long long dx = (p.x1 + p.x2) / 2 - cx, dy = (p.y1 + p.y2) / 2 - cy;
      return dx * dx + dy * dy;
    };
    std::stable_sort(
        candidates.begin() + beside, candidates.end(),
        [&](const PanelRect& a, const PanelRect& b) { return distance(a) < distance(b); });
  }
  if (candidates.empty()) candidates.push_back(at(image.x2 + gap, image.y1));
  auto free = [&](const PanelRect& p) {
    if (p.x1 < 0 || p.y1 < 0 || p.x2 > width || p.y2 > height) return false;
    for (const PanelRect& o : images)
      if (p.Meets(o)) return false;
    for (const PanelRect& o : placed)
      if (p.Meets(o)) return false;
    return true;
  };
  clear = true;
  for (const PanelRect& p : candidates)
    if (free(p)) return p;
  clear = false;
  return candidates.front();
}

}  // namespace

std::vector<EquationPanelLayout> LayOutEquationPanels(TCanvas& canvas, const ObjectList& scene) {
  const CanvasStyleKeeper keep(canvas);
  canvas.Font = ReadoutFont(kTextColour);
  std::vector<EquationPanelLayout> panels;
  for (auto& r : ReadEquations(scene)) {
    if (!r.finite || !OnSurface(r.image) || !OnSurface(r.imageEnd)) continue;
    EquationPanelLayout p;
    p.lines = PanelLines(r);
    p.image = ImageRect(canvas, r);
    p.readout = std::move(r);
    panels.push_back(std::move(p));
  }
  std::vector<PanelRect> images;
  std::vector<std::pair<int, int>> sizes;
  const int padding = Scaled(kPadding);
  for (auto& p : panels) {
    images.push_back(p.image);
    int width = 0;
    for (const auto& line : p.lines) {
      width = std::max(width, canvas.TextWidth(line));
      p.lineHeight = std::max(p.lineHeight, canvas.TextHeight(line));
    }
    sizes.emplace_back(width + 2 * padding, int(p.lines.size()) * p.lineHeight + 2 * padding);
  }
  // Near their images where that leaves room for all, else packed.
  for (const bool nearest : {true, false}) {
    std::vector<PanelRect> placed;
    bool all = true;
    for (std::size_t i = 0; i < panels.size(); ++i) {
      bool clear = false;
      placed.push_back(Place(panels[i].image, sizes[i].first, sizes[i].second, canvas.Width(),
                             canvas.Height(), nearest, images, placed, clear));
      all = all && clear;
    }
    if (!all && nearest) continue;
    for (std::size_t i = 0; i < panels.size(); ++i) panels[i].panel = placed[i];
    break;
  }
  return panels;
}

void PaintEquationPanels(TCanvas& canvas, const ObjectList& scene) {
  const auto panels = LayOutEquationPanels(canvas, scene);
  const CanvasStyleKeeper keep(canvas);
  canvas.Font = ReadoutFont(kTextColour);
  const int padding = Scaled(kPadding);
  for (const auto& p : panels) {
    canvas.Pen.mode = TPenMode::Copy;
    canvas.Brush.style = TBrushStyle::Solid;
    canvas.Brush.color = kPanelColour;
    canvas.FillRect(p.panel.x1, p.panel.y1, p.panel.x2, p.panel.y2);
    canvas.Brush.style = TBrushStyle::Clear;
    for (std::size_t i = 0; i < p.lines.size(); ++i)
      canvas.TextOut(p.panel.x1 + padding, p.panel.y1 + padding + int(i) * p.lineHeight,
                     p.lines[i]);
  }
}
