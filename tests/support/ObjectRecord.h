#pragma once
// An object's saved record as bytes, and loading the first bytes of one back
// (class name already consumed, as the file reader does before LoadFromStream).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "scene/ByteStream.h"
#include "scene/DrawObjectUnit.h"

inline std::vector<std::uint8_t> RecordBytes(DrawObjectUnit& object) {
  ByteWriter out;
  EXPECT_TRUE(object.SaveToStream(out));
  return out.Data();
}

inline bool LoadRecord(DrawObjectUnit& object, const std::vector<std::uint8_t>& bytes,
                       std::size_t length = SIZE_MAX) {
  ByteReader in(std::span<const std::uint8_t>(bytes.data(), std::min(length, bytes.size())));
  in.ReadString();
  return object.LoadFromStream(in);
}
