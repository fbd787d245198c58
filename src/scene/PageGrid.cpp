#include "scene/PageGrid.h"

#include <cmath>

#include "scene/ProcessSettings.h"

namespace {

int Spacing(const TNewPage& page) {
  return page.gridSpacing >= kMinGridSpacing && page.gridSpacing <= kMaxGridSpacing
             ? page.gridSpacing
             : TNewPage{}.gridSpacing;
}

int SnapAxis(int value, int origin, int spacing) {
  const double steps = std::round((double(value) - origin) / spacing);
  return static_cast<int>(origin + steps * spacing);
}

// The first grid line at or before 0 on an axis.
int FirstLine(int origin, int spacing) {
  int first = origin % spacing;
  if (first > 0) first -= spacing;
  return first;
}

}  // namespace

TPoint SnapToGrid(const TNewPage& page, int x, int y) {
  const int spacing = Spacing(page);
  return {SnapAxis(x, Settings().originX, spacing), SnapAxis(y, Settings().originY, spacing)};
}

void PaintGrid(TCanvas& canvas, const TNewPage& page) {
  const int spacing = Spacing(page);
  const TColor bg = page.ambientColour;
  auto channel = [bg](int shift) { return (((bg >> shift) & 0xFF) + 0x80) / 2; };
  canvas.Pen.mode = TPenMode::Copy;
  canvas.Pen.style = TPenStyle::Solid;
  canvas.Pen.width = 1;
  canvas.Pen.color = TColor(channel(0) | channel(8) << 8 | channel(16) << 16);
  const int w = canvas.Width(), h = canvas.Height();
  for (int x = FirstLine(Settings().originX, spacing); x <= w; x += spacing)
    canvas.Line(x, 0, x, h);
  for (int y = FirstLine(Settings().originY, spacing); y <= h; y += spacing)
    canvas.Line(0, y, w, y);
}

FileTrailer GridTrailer(const TNewPage& page) {
  FileTrailer trailer{};
  if (!page.gridShown && !page.gridSnap) return trailer;
  trailer[0] = 'G';
  trailer[1] = std::uint8_t((page.gridShown ? 1 : 0) | (page.gridSnap ? 2 : 0));
  const auto spacing = static_cast<std::uint32_t>(Spacing(page));
  for (int i = 0; i < 4; ++i) trailer[std::size_t(2 + i)] = std::uint8_t(spacing >> (8 * i));
  return trailer;
}

void ReadGridTrailer(const std::uint8_t* trailer, std::size_t size, TNewPage& page) {
  if (size < 6 || trailer[0] != 'G' || trailer[1] > 3) return;
  std::uint32_t spacing = 0;
  for (int i = 0; i < 4; ++i) spacing |= std::uint32_t(trailer[2 + i]) << (8 * i);
  if (spacing < kMinGridSpacing || spacing > kMaxGridSpacing) return;
  page.gridSpacing = static_cast<std::int32_t>(spacing);
  page.gridShown = trailer[1] & 1;
  page.gridSnap = (trailer[1] >> 1) & 1;
}
