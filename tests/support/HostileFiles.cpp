#include "HostileFiles.h"

#include <cmath>
#include <limits>

#include "objects/ArcObject.h"
#include "objects/Freehand.h"
#include "objects/ObjectFactory.h"
#include "objects/elements/FitfulObject.h"
#include "objects/elements/FlatMirror.h"
#include "objects/elements/ImagingSystem.h"
#include "objects/elements/RayFibre.h"
#include "objects/tools/DrawImage.h"
#include "objects/tools/DrawString.h"
#include "optics/BoxGeometry.h"
#include "scene/ByteStream.h"

namespace {

// The records as the program writes them (the values are what is hostile),
// in the frame of a built file.
FileBytes File(std::vector<std::unique_ptr<DrawObjectUnit>> objects) {
  ExperimentFileBuilder file;
  for (auto& object : objects) {
    ByteWriter out;
    object->SaveToStream(out);
    file.RawBytes(out.Data());
  }
  return file.Build();
}

template <class T>
std::unique_ptr<T> Box(float x1, float y1, float x2, float y2) {
  auto box = std::make_unique<T>(nullptr);
  SpanBox(box->corners, {x1, y1}, {x2, y2});
  return box;
}

std::unique_ptr<DrawObjectUnit> Picture(float x, FileBytes bmp) {
  auto image = Box<DrawImage>(x, 0, x + 1500, 1000);
  auto picture = std::make_shared<DrawImage::Picture>();
  picture->bmp = std::move(bmp);
  image->picture = std::move(picture);
  image->hasPicture = image->fillFlag = 1;  // white is transparent
  image->fillColor = 0xFFFFFF;
  return image;
}

FileBytes ManyPictures(int count, std::int32_t side) {
  std::vector<std::unique_ptr<DrawObjectUnit>> pictures;
  for (int i = 0; i < count; ++i) pictures.push_back(Picture(10.0f * i, RunLengthBmp(side, side)));
  return File(std::move(pictures));
}

FileBytes Arcs(float radius, float angle) {
  std::vector<std::unique_ptr<DrawObjectUnit>> arcs;
  for (const char* name : {"Magnifier", "Concave", "ConcaveMirror", "ConvexityMirror"}) {
    arcs.push_back(CreateObjectByClassName(name, nullptr));
    auto& arc = static_cast<ArcObject&>(*arcs.back());
    arc.centre = {400, 300};
    arc.radius = radius;
    arc.angle1 = arc.sweep = angle;
    arc.angle2 = -angle;
  }
  return File(std::move(arcs));
}

FileBytes Text(float top, const std::string& text, std::int32_t size) {
  auto box = Box<DrawString>(10, top, 1900, 50000);
  box->SetText(text);
  box->font.size = size;
  std::vector<std::unique_ptr<DrawObjectUnit>> objects;
  objects.push_back(std::move(box));
  return File(std::move(objects));
}

// Free-hand lines of the most points a pointer adds, in whole pixels as the
// pointer gives them. A zig-zag runs back and forth across a cell of the
// page and down it, so that a fibre's walls cross at every turn.
std::vector<TPointF> ZigZag(int cell) {
  const float left = 10 + 190.0f * float(cell % 10), top = 10 + 176.0f * float(cell / 10);
  std::vector<TPointF> line;
  for (int i = 0; i < kFreehandPoints; ++i)
    line.push_back({std::round(left + (i % 2 ? 171.0f : 19.0f)),
                    std::round(top + 17.6f + 140.8f * float(i) / kFreehandPoints)});
  return line;
}

// A free-hand line in a narrow strip of the page, `k` of 200, jumping from
// its top to its bottom and back at every point: each edge runs the strip's
// height and crosses most of the others.
std::vector<TPointF> Scribble(int k) {
  std::vector<TPointF> line;
  for (int i = 0; i < kFreehandPoints; ++i)
    line.push_back({float(10 + 9.5 * k + (i * 7 + k) % 9), i % 2 ? 1040.0f : 40.0f});
  return line;
}

FileBytes ZigZagFibres(int count) {
  std::vector<std::unique_ptr<DrawObjectUnit>> fibres;
  for (int k = 0; k < count; ++k) {
    auto fibre = std::make_unique<RayFibre>(nullptr);
    fibre->centre = ZigZag(k);
    fibre->pointCount = kFreehandPoints;
    fibre->lineWidth = 3;
    fibre->ApplyWallRule();
    fibres.push_back(std::move(fibre));
  }
  return File(std::move(fibres));
}

FileBytes ScribbledOutlines(int count) {
  std::vector<std::unique_ptr<DrawObjectUnit>> outlines;
  for (int k = 0; k < count; ++k) {
    auto outline = std::make_unique<FitfulObject>(nullptr);
    outline->vertices = Scribble(k);
    outline->pointCount = kFreehandPoints;
    outline->closed = 1;
    outline->outlineExtent = kFreehandPoints;
    outline->lineWidth = 3;
    outline->fillFlag = 1;
    outline->fillColor = 0x402010 + 0x010203 * std::uint32_t(k % 32);
    outlines.push_back(std::move(outline));
  }
  return File(std::move(outlines));
}

}  // namespace

FileBytes RunLengthBmp(std::int32_t width, std::int32_t height) {
  FileBytes bmp{'B', 'M'};
  // File size, reserved, pixel offset; the information header: its size,
  // width, height, one plane of 8 bits, BI_RLE8, 2 bytes of data, no
  // resolution, two colours; the colours; "end of bitmap".
  for (std::int32_t v :
       {64, 0, 62, 40, width, height, 1 | 8 << 16, 1, 2, 0, 0, 2, 0, 0xFFFFFF, 0xFF})
    AppendInt32(bmp, v);
  for (std::uint8_t b : {0, 1}) AppendByte(bmp, b);
  return bmp;
}

std::vector<HostileFile> HostileFiles() {
  const float nan = std::nanf(""), inf = std::numeric_limits<float>::infinity();
  return {
      {"picture-claims-256mb.exo", false, 100,
       [] {
         FileBytes claim = RunLengthBmp(100, 100);
         PatchInt32(claim, 2, (256 << 20) - 1);  // in a file of a few hundred bytes
         std::vector<std::unique_ptr<DrawObjectUnit>> picture;
         picture.push_back(Picture(0, claim));
         return File(std::move(picture));
       }},
      {"pictures-5600-8.exo", false, 100, [] { return ManyPictures(8, 5600); }},
      {"pictures-4096-40.exo", false, 450, [] { return ManyPictures(40, 4096); }},
      {"arcs-1e8.exo", true, 100, [] { return Arcs(100, 1e8f); }},
      {"arcs-1e30.exo", true, 100, [] { return Arcs(100, 1e30f); }},
      {"arcs-nan.exo", false, 100, [nan] { return Arcs(100, nan); }},
      {"arcs-inf.exo", false, 100, [inf] { return Arcs(100, inf); }},
      {"arcs-far.exo", true, 100, [] { return Arcs(1e8f, 1e30f); }},
      {"text-30000-at-2000.exo", true, 100, [] { return Text(10, std::string(30000, 'W'), 2000); }},
      {"text-600k.exo", true, 100,
       [] {
         // 600 KB in 100 lines, most of them above or below the surface.
         std::string line(1, '\n'), lines;
         while (line.size() < 9000) line += "光学";
         while (lines.size() < 900000) lines += line;
         return Text(-20000, lines, 500);
       }},
      {"imaging-system-and-4-pictures.exo", true, 450,
       [] {
         // The imaging system's own pictures are not the file's: all four are read.
         std::vector<std::unique_ptr<DrawObjectUnit>> objects;
         objects.push_back(std::make_unique<ImagingSystem>(nullptr));
         for (int i = 0; i < 4; ++i)
           objects.push_back(Picture(10.0f * i, RunLengthBmp(4096, 4096)));
         return File(std::move(objects));
       }},
      {"mirrors-600k.exo", false, 500,
       [] {
         // 82 MB of plane mirrors: read up to the bound on objects.
         ByteWriter one;
         FlatMirror(nullptr).SaveToStream(one);
         ExperimentFileBuilder file;
         for (int i = 0; i < 600'000; ++i) file.RawBytes(one.Data());
         return file.Build();
       }},
      {"imaging-systems-3000.exo", true, 100,
       [] {
         // Each imaging system once held its own copies of the pictures.
         std::vector<std::unique_ptr<DrawObjectUnit>> systems;
         for (int i = 0; i < 3000; ++i) systems.push_back(std::make_unique<ImagingSystem>(nullptr));
         return File(std::move(systems));
       }},
      // Free-hand outlines that cross themselves at every turn: painting
      // them costs what their points cost, not what their crossings do.
      {"fibres-zigzag-60.exo", true, 200, [] { return ZigZagFibres(60); }},
      {"outlines-scribbled-200.exo", true, 200, [] { return ScribbledOutlines(200); }},
  };
}
