#pragma once
// Small pictures for the tool bar and the palette, drawn by the program so
// that it needs no image files.

#include <QGuiApplication>
#include <QIcon>
#include <QPalette>
#include <string>

class QPainter;
class QWidget;

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

// Strokes keep this contrast with the buttons of the palette they are
// drawn for (the designed colours where they do, else lighter or darker).
inline constexpr double kGlyphContrast = 3.0;

// 16 x 16, for the tool bar. Icons hold the picture drawn at 1x, 2x and the
// ratio of every screen, so buttons stay crisp on scaled screens.
QIcon MakeToolGlyph(ToolGlyph glyph, const QPalette& palette = QGuiApplication::palette());
// 24 x 24, for a palette button placing objects of this class ("" = arrow).
QIcon MakePaletteGlyph(const std::string& className,
                       const QPalette& palette = QGuiApplication::palette());
// The splash and about-box picture with its two lines of text, 420 x 260
// logical pixels at the application's device pixel ratio.
QPixmap MakeAboutPicture(const QString& title, const QString& subtitle);

// A button whose icon is a glyph says which in one of these properties (an
// int ToolGlyph, a palette's class name), so that RestyleGlyphs can paint it
// anew for another palette.
inline constexpr const char* kToolGlyphProperty = "toolGlyph";
inline constexpr const char* kGlyphClassProperty = "glyphClass";
// Every such button below `root` gets its glyph for `root`'s palette.
void RestyleGlyphs(QWidget& root);

// What the pictures above are painted with, in logical coordinates.
void PaintToolGlyph(QPainter& p, ToolGlyph glyph);
void PaintPaletteGlyph(QPainter& p, const std::string& className);
void PaintAboutPicture(QPainter& p, const QString& title, const QString& subtitle);
