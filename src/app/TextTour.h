#pragma once
// Asks for every text the program looks up, once each, so that a language
// generator sees them all: every window is built (main window, property
// sheet, drawing board, splash and about box, the generator's step dialog)
// and translated, the page settings rows are filled, and every object class
// draws, shows its rows and gets values that are not numbers, too small or
// too large in each row alone (for the messages of its refusals). The
// tour's own sheet and message sink take the rows and messages meanwhile,
// so no box appears.

#include <QSize>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "scene/PropertyRowClass.h"

class TCanvas;

struct TextTourResult {
  std::size_t rows = 0;      // object rows shown
  std::size_t messages = 0;  // messages and questions asked
};

TextTourResult VisitEveryText(QSize surfaceSize = QSize(300, 200));

// Every row key of every object class on `canvas`, with the editor its
// (translated) name gives it in the property sheet.
std::vector<std::pair<std::string, TRowClass>> ObjectRowClasses(TCanvas* canvas);
