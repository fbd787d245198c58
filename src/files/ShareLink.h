#pragma once
// Share links of Ray Optics Simulation: the text after '#' is the scene as
// MessagePack, compressed in the LZMA "alone" layout, in URL-safe base64
// without padding. Decoding is bounded in input, output and memory.

#include <QJsonValue>
#include <cstddef>
#include <string>

class ShareLink {
 public:
  // Longest link text taken (browsers keep far shorter ones).
  static constexpr std::size_t kMaxLinkLength = 4u << 20;
  // Most bytes the decompressed scene may have.
  static constexpr std::size_t kMaxSceneBytes = 16u << 20;
  // Memory the decompressor may use (its dictionary).
  static constexpr std::uint64_t kMemoryLimit = 128u << 20;

  // Whether the text is a link (http:// or https://) or a bare "#hash", not a file name.
  static bool IsLink(const std::string& text);
  // The scene the link holds; false with a message for the user otherwise.
  static bool Decode(const std::string& link, QJsonValue& scene, std::string& error);
  // The hash text (without '#') for a scene.
  static std::string Encode(const QJsonValue& scene);
};
