#pragma once
// Text annotation: lines of text in a box, with its own font, an optional
// border and an optional background. Takes no part in tracing.

#include <string>
#include <vector>

#include "objects/BoxObject.h"
#include "scene/IPropertySheet.h"
#include "scene/ObjectOf.h"

class DrawString : public ObjectOf<DrawString, BoxObject> {
 public:
  explicit DrawString(TCanvas* canvas);

  // Longest text a file may hold; far beyond any annotation.
  static constexpr std::size_t kMaxTextLength = 1 << 20;
  static constexpr std::size_t kFontNameBytes = 100;

  std::vector<std::string> lines;
  std::string defaultText;
  std::uint8_t border = 1;
  TSheetFont font;
  std::uint8_t spareFlag = 0;

  // The lines joined by CR LF, as the record and the text editor hold them.
  std::string Text() const;
  void SetText(const std::string& text);
  // Blank, or still the default text: the box shows the default, centred.
  bool ShowsDefault() const;

  void Draw(int mode) override;

 protected:
  // The beginning of a line that reaches past `width` pixels with the
  // canvas's font (the whole line when it does not): the rest lies beyond
  // the right edge. Only long lines are measured.
  std::string ShownPart(const std::string& line, double width);
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
};
