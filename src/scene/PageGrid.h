#pragma once
// The page's grid: painted under every object, the points placing and
// dragging snap to, and its place in an experiment file. Grid points lie at
// whole multiples of the spacing from the coordinate origin, so that they
// are whole user coordinates.

#include <array>
#include <cstdint>

#include "gfx/TCanvas.h"
#include "scene/TNewPage.h"

constexpr int kMinGridSpacing = 4, kMaxGridSpacing = 400;

// The grid point nearest (x, y).
TPoint SnapToGrid(const TNewPage& page, int x, int y);
// Thin lines one spacing apart over the whole canvas, in a colour between
// the background and grey.
void PaintGrid(TCanvas& canvas, const TNewPage& page);

// The file's 14-byte trailer, all zeros unless the grid is shown or snapping
// is on: "G", the two switches as bits, the spacing (32 bits, little-endian).
// Readers of older releases never read the trailer.
using FileTrailer = std::array<std::uint8_t, 14>;
FileTrailer GridTrailer(const TNewPage& page);
// Takes the grid from a trailer; a trailer without one, or with a spacing out
// of bounds, leaves the page's grid as it is.
void ReadGridTrailer(const std::uint8_t* trailer, std::size_t size, TNewPage& page);
