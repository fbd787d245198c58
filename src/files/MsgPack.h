#pragma once
// The small part of MessagePack that share links use: maps with text keys,
// arrays, texts, numbers, booleans and nil, as JSON values. Bounded: a
// damaged or hostile buffer gives an error, never a deep recursion or an
// allocation beyond the input's own size.

#include <QJsonValue>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class MsgPack {
 public:
  // Deeper nesting than any scene needs is refused.
  static constexpr int kMaxDepth = 64;
  // Values (of any kind) one buffer may hold.
  static constexpr std::size_t kMaxValues = 2'000'000;

  // The one value the buffer holds; false with `error` set otherwise.
  static bool Decode(std::span<const std::uint8_t> data, QJsonValue& value, std::string& error);
  // The value as MessagePack, integers as the shortest integer, other
  // numbers as 64-bit floats.
  static std::vector<std::uint8_t> Encode(const QJsonValue& value);
};
