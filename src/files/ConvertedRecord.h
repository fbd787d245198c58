#pragma once
// Puts the values of one object of the converted layout into a new object:
// they set the object's typed fields, and one pass through the object's own
// record (save, then load) gives them the bounds and refusals of a file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"
#include "objects/tools/DrawImage.h"

class ByteReader;
class DrawObjectUnit;

struct ConvertedValues {
  int section = 0;  // 1 to 18
  std::string name;
  std::vector<float> reals;
  TColor colour = 0;
  bool hasFill = false;
  TColor fillColour = 0;
  int fillFlag = 0;
  std::vector<int> extraInts;
  std::vector<float> extraReals;
  // Annotations: the text ("<HC>" marks a line break), font name and size.
  std::string text;
  std::string fontName;
  float fontSize = 0;
};

// False when the object's record does not have the expected layout.
bool ApplyConvertedValues(DrawObjectUnit& object, const ConvertedValues& values);
bool SetReferenceFrameOrigin(DrawObjectUnit& frame, float x, float y);
// Reads one picture after the text block: kind 1 is a length and a JPEG
// stream, any other kind a length word and a BMP file. Each is decoded once
// and held as a bitmap. False when the data is damaged; true with no
// picture when it is too large (counted by the allowance in force).
bool ReadConvertedPicture(ByteReader& in, int kind,
                          std::shared_ptr<const DrawImage::Picture>& picture);
