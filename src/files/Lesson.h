#pragma once
// A lesson: an ordered list of scenes, each a whole experiment with its
// title, the teacher's note and how it starts. The scenes are kept as
// experiment files in memory; the window opens one at a time.

#include <cstdint>
#include <string>
#include <vector>

struct LessonScene {
  std::string title;
  std::string note;
  bool stepByStep = false;
  bool studentMode = false;
  bool equations = false;
  // The experiment in the current layout (SerializeExperiment).
  std::vector<std::uint8_t> experiment;
};

struct Lesson {
  std::string title;
  // The teacher's PIN that leaves student mode: SHA-256 of salt and PIN, in
  // hex; both empty when there is none.
  std::string pinSalt;
  std::string pinHash;
  std::vector<LessonScene> scenes;

  // Empty `pin` removes it.
  void SetPin(const std::string& pin);
  bool HasPin() const { return !pinHash.empty(); }
  // True when there is no PIN or `pin` is it.
  bool PinMatches(const std::string& pin) const;
};
