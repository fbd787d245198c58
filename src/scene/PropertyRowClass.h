#pragma once
// Which generic editor the property sheet's ellipsis button opens for a row,
// decided from the row's key.

#include <string>

class TtlmController;

enum class TRowClass { None, Colour, PicturePath, Font, Text };

// True when `name` occurs in `key`, ignoring case. An empty name never matches
// (an empty translation must not turn every row into its class).
bool KeyContainsName(const std::string& key, const std::string& name);

// Tests the colour names, then picture path, font and text, each translated
// through `controller` first; the first class that matches decides.
TRowClass ClassifyPropertyKey(const std::string& key, const TtlmController& controller);
