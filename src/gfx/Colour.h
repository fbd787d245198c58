#pragma once
// Colour values as files and sheets hold them (0x00BBGGRR, the high byte
// ignored) to and from Qt's colours: the one conversion every painter uses.

#include <QColor>

#include "gfx/TCanvas.h"

QColor ToQColor(TColor color, int alpha = 255);
TColor FromQColor(const QColor& colour);
