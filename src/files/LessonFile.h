#pragma once
// Lesson files (NAME.exol): a ZIP archive, so that anyone can look inside,
// holding lesson.json (the lesson's title and PIN, and per scene its title,
// note, options and file) and one experiment file per scene. Archives are
// untrusted: every count, size and name is bounded before it is used, and
// nothing in them is ever written to disk by its own name.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/Lesson.h"

// A lesson file is read whole into memory; its scenes unpacked take at most
// kMaxLessonBytes together, so that a lesson and one opened scene stay well
// within the memory of a classroom computer.
constexpr std::size_t kMaxLessonFileSize = 64u << 20;
constexpr std::size_t kMaxLessonBytes = 128u << 20;
constexpr std::size_t kMaxLessonScenes = 100;
// Entries of the archive, ours or not: a scene each, lesson.json, and room
// for what another tool adds.
constexpr std::size_t kMaxLessonEntries = 256;
constexpr std::size_t kMaxLessonIndexSize = 1u << 20;
constexpr std::size_t kMaxLessonTitleBytes = 1024;
constexpr std::size_t kMaxLessonNoteBytes = 64u << 10;
constexpr std::size_t kMaxLessonEntryName = 128;

// Whether the path names a lesson (by its extension, as Open decides).
bool IsLessonPath(const std::string& path);

// On failure false, `error` the message for the user, `lesson` untouched.
bool ReadLessonFile(const std::string& path, Lesson& lesson, std::string* error);
bool ReadLessonData(std::span<const std::uint8_t> data, Lesson& lesson, std::string* error);

// The archive's bytes; false with the message when the lesson would not be
// read back (too many scenes, too large, a scene that is not an experiment).
bool LessonBytes(const Lesson& lesson, std::vector<std::uint8_t>& data, std::string* error);
// Written atomically, as an experiment is (WriteFileAtomically).
bool SaveLessonFile(const std::string& path, const Lesson& lesson, std::string* error);
