#pragma once
// Small pictures for the tool bar and the palette, drawn by the program so
// that it needs no image files.

#include <QIcon>
#include <string>

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
  Help
};

// 16 x 16, for the tool bar.
QIcon MakeToolGlyph(ToolGlyph glyph);
// 24 x 24, for a palette button placing objects of this class ("" = arrow).
QIcon MakePaletteGlyph(const std::string& className);
// The splash and about-box picture with its two lines of text.
QPixmap MakeAboutPicture(const QString& title, const QString& subtitle);
