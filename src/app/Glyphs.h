#pragma once
// Small pictures for the tool bar and the palette, drawn by the program so
// that it needs no image files.

#include <QIcon>
#include <string>

class QPainter;

enum class ToolGlyph {
  New,
  Open,
  Save,
  Print,
  Undo,
  Redo,
  Copy,
  Paste,
  Delete,
  Properties,
  Run,
  Stop,
  ZoomIn,
  ZoomOut,
  Move,
  Help,
  // The classroom commands: each its own picture, none a look-alike of
  // run, stop, undo or redo.
  StepStart,
  StepBack,
  StepNext,
  AutoPlay,
  ShowAll
};

// 16 x 16, for the tool bar. Icons hold the picture drawn at 1x, 2x and the
// ratio of every screen, so buttons stay crisp on scaled screens.
QIcon MakeToolGlyph(ToolGlyph glyph);
// 24 x 24, for a palette button placing objects of this class ("" = arrow).
QIcon MakePaletteGlyph(const std::string& className);
// The splash and about-box picture with its two lines of text, 420 x 260
// logical pixels at the application's device pixel ratio.
QPixmap MakeAboutPicture(const QString& title, const QString& subtitle);

// What the pictures above are painted with, in logical coordinates.
void PaintToolGlyph(QPainter& p, ToolGlyph glyph);
void PaintPaletteGlyph(QPainter& p, const std::string& className);
void PaintAboutPicture(QPainter& p, const QString& title, const QString& subtitle);
