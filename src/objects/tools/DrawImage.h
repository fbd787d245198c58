#pragma once
// Picture annotation: a BMP or JPEG picture stretched into a box, with one
// colour optionally transparent; the picture is saved inside the experiment.
// Takes no part in tracing.

#include <QImage>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/PictureReading.h"
#include "objects/BoxObject.h"
#include "scene/ObjectOf.h"

class DrawImage : public ObjectOf<DrawImage, BoxObject> {
 public:
  explicit DrawImage(TCanvas* canvas);

  // A picture in a file is at most this large (a classroom photo is far less).
  static constexpr std::uint32_t kMaxPictureBytes = 256u << 20;

  // Shared by copies, undo snapshots and the clipboard; never changed once made.
  struct Picture {
    QImage image;                   // decoded once, 32-bit
    std::vector<std::uint8_t> bmp;  // the complete BMP file as stored
  };

  std::string placeholder;
  std::shared_ptr<const Picture> picture;
  std::uint8_t hasPicture = 0;
  std::uint8_t spareFlag = 1;

  // Loads a .bmp, .jpg or .jpeg file (extension in any case); false leaves
  // the picture as it was (a picture that cannot be read or is too large
  // says so).
  bool LoadPictureFile(const std::string& path);
  // A picture from the bytes of a complete BMP file; null when they are not
  // one or it is too large (see PictureReading.h), as `status` tells.
  // The size of the whole file that a BMP file header gives; 0 for a header
  // that is not one, or a size beyond kMaxPictureBytes.
  static std::uint32_t BmpFileSize(const std::array<std::uint8_t, 14>& header);
  static std::shared_ptr<const Picture> FromBmp(std::vector<std::uint8_t> bmp,
                                                PictureStatus* status = nullptr);

  void Draw(int mode) override;
  // The box ends on whole pixels.
  void EndCreate(int x, int y) override;

 protected:
  void RecordFields(RecordIo& io) override;
  PropertyRows Rows() override;
};
