#pragma once
// Pictures come from files (an annotation's record, a chosen picture file, the
// imaging system's pictures), so their size is untrusted: a run-length BMP of
// 64 bytes can claim 5600 x 5600 pixels. A picture is decoded only when the
// size its header gives is within kMaxPicturePixels and within the
// PictureAllowance in force, and is then held as 32-bit pixels, so that
// painting never converts it again.

#include <QImage>
#include <cstdint>
#include <span>
#include <string>

// 4096 x 4096: more than a classroom screen (even a 4K one) can show, and a
// 12-megapixel phone photo fits. 64 MiB as 32-bit pixels.
constexpr std::int64_t kMaxPicturePixels = 4096LL * 4096LL;
// A picture file (BMP or JPEG) read whole: far above what kMaxPicturePixels
// needs in either format.
constexpr std::int64_t kMaxPictureFileBytes = 256LL << 20;

enum class PictureStatus {
  Decoded,
  Unreadable,  // not a picture of that format, or damaged
  TooLarge,    // over kMaxPicturePixels, or over the allowance in force
};

// Decodes a BMP or JPEG ("BMP", "JPEG") held in memory into Format_RGB32, or
// Format_ARGB32 when the picture has an alpha channel; its pixels are taken
// from the PictureAllowance in force.
PictureStatus DecodePicture(std::span<const std::uint8_t> bytes, const char* format, QImage& out);

// Reads and decodes a picture file. Only a regular file is read: a pipe or a
// device there could block the reader or never end.
PictureStatus ReadPictureFile(const std::string& path, const char* format, QImage& out);
