#pragma once
// The INI class of the language files: the file is kept as its lines plus
// the sections found in them, so that writing an entry leaves every other
// line (comments, order, blank lines) as it was.
//
// A section header is a line "[name]"; an entry is a line holding "=", its
// key and value the trimmed texts before and after the first "=". Section
// and key names compare without regard to case; the first matching section
// and the first matching entry in it win. Files are untrusted: a file larger
// than kMaxFileBytes or with more than kMaxLines lines reads as empty, as
// does one that cannot be opened; such a file is never written over.

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TInifileEx {
 public:
  static constexpr std::size_t kMaxFileBytes = 16u << 20;
  static constexpr std::size_t kMaxLines = 400'000;

  explicit TInifileEx(std::string fileName);
  // Saves when something was written; a failure is not reported here (call
  // Save first to learn about it).
  ~TInifileEx();
  TInifileEx(const TInifileEx&) = delete;
  TInifileEx& operator=(const TInifileEx&) = delete;

  const std::string& FileName() const { return fileName_; }
  // False when the file existed but was refused (unreadable, too large).
  bool Readable() const { return readable_; }
  bool Modified() const { return modified_; }

  bool SectionExists(const std::string& section) const;
  std::optional<std::string> Find(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultText) const;
  // Replaces the value of the first matching entry, or adds "key = value"
  // after the section's last line (a missing section is appended). Line
  // breaks in the value become blanks: an entry is one line.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Keys of a section in file order (the first of equal keys only).
  std::vector<std::string> SectionKeys(const std::string& section) const;
  std::vector<std::string> SectionNames() const;

  // Writes the file back if something was written; true when nothing needed
  // saving or the file was written. A refused file is never written over.
  bool Save();

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  struct Section {
    std::string name;
    std::size_t header;  // line index of "[name]"
    // Folded key -> line index of its first entry.
    std::unordered_map<std::string, std::size_t> entries;
    std::vector<std::string> keys;  // file order
  };

  void Load();
  void Index();
  const Section* FindSection(const std::string& section) const;
  // One past the section's last non-blank line.
  std::size_t InsertionLine(std::size_t sectionIndex) const;

  std::string fileName_;
  std::vector<std::string> lines_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
  bool readable_ = true;
  bool bom_ = false;
  bool modified_ = false;
};
