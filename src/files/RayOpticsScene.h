#pragma once
// Scenes of Ray Optics Simulation (its JSON files, "version": 5 and older,
// and its share links) opened as a new, unnamed and unsaved experiment.

#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "files/ExperimentFile.h"

class Document;

class RayOpticsScene {
 public:
  // The newest data version we know.
  static constexpr int kDataVersion = 5;
  // Largest scene file; gallery scenes are a few kilobytes.
  static constexpr std::size_t kMaxFileSize = 16u << 20;
  // Objects one scene may hold, and JSON values (of any kind) in all.
  static constexpr std::size_t kMaxObjects = 10'000;
  static constexpr std::size_t kMaxValues = 1'000'000;
  static constexpr int kMaxDepth = 64;

  // Whether `path` names a scene rather than an experiment: ".json", or a link.
  static bool IsScenePath(const std::string& path);

  // The file or link (see IsScenePath) imported into `document`; on any
  // refusal the document stays as it was. Messages are shown and returned.
  static OpenResult Import(const std::string& pathOrLink, Document& document);
  // The JSON text imported.
  static OpenResult ImportText(std::span<const std::uint8_t> json, Document& document);
  // A parsed scene imported.
  static OpenResult ImportScene(QJsonObject scene, Document& document);

  // Cheap look over the text before parsing: false with a message when it
  // nests too deeply or holds too many values for a scene.
  static bool WithinBounds(std::span<const std::uint8_t> json, std::string& error);
  // The scene brought to data version 5 as the peer's own reader does;
  // false with a message for a newer or unreadable version.
  static bool Upgrade(QJsonObject& scene, std::string& error);
};
