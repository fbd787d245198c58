#include "i18n/TInifileEx.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>

#include "platform/Platform.h"

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr qint64 kReadPiece = 64 * 1024;

std::string Fold(const std::string& name) {
  return QString::fromStdString(name).toCaseFolded().toStdString();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string TrimBlanks(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool IsHeader(const std::string& trimmed) {
  return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

}  // namespace

TInifileEx::TInifileEx(std::string fileName) : fileName_(std::move(fileName)) { Load(); }

TInifileEx::~TInifileEx() { Save(); }

void TInifileEx::Load() {
  const QString name = QString::fromStdString(fileName_);
  QFile file(name);
  if (!file.exists()) return;  // a new file: empty, and may be written
  // Only a plain file: a device or a pipe could be endless.
  if (!QFileInfo(name).isFile() || !file.open(QIODevice::ReadOnly) ||
      static_cast<std::size_t>(file.size()) > kMaxFileBytes) {
    readable_ = false;
    return;
  }
  // Read in pieces, stopping past the bound: the file may grow meanwhile, and
  // a small file must not cost a buffer the size of the bound.
  QByteArray data;
  while (static_cast<std::size_t>(data.size()) <= kMaxFileBytes) {
    const QByteArray piece = file.read(kReadPiece);
    if (piece.isEmpty()) break;
    data += piece;
  }
  if (static_cast<std::size_t>(data.size()) > kMaxFileBytes) {
    readable_ = false;
    return;
  }
  std::string text(data.constData(), static_cast<std::size_t>(data.size()));
  if (text.compare(0, 3, kBom) == 0) {
    bom_ = true;
    text.erase(0, 3);
  }
  // A newline ends a line; it does not start another, so a file holds as
  // many lines with a newline after the last as without one.
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    if (lines.size() >= kMaxLines) {
      readable_ = false;
      return;
    }
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  lines_ = std::move(lines);
  Index();
}

void TInifileEx::Index() {
  sections_.clear();
  sectionIndex_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string trimmed = TrimBlanks(lines_[i]);
    if (IsHeader(trimmed)) {
      Section section{TrimBlanks(trimmed.substr(1, trimmed.size() - 2)), i, {}, {}};
      sectionIndex_.emplace(Fold(section.name), sections_.size());
      sections_.push_back(std::move(section));
      continue;
    }
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string::npos || sections_.empty()) continue;
    Section& section = sections_.back();
    const std::string key = TrimBlanks(trimmed.substr(0, eq));
    if (section.entries.emplace(Fold(key), i).second) section.keys.push_back(key);
  }
}

const TInifileEx::Section* TInifileEx::FindSection(const std::string& section) const {
  auto it = sectionIndex_.find(Fold(section));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

bool TInifileEx::SectionExists(const std::string& section) const {
  return FindSection(section) != nullptr;
}

std::optional<std::string> TInifileEx::Find(const std::string& section,
                                            const std::string& key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  auto it = s->entries.find(Fold(key));
  if (it == s->entries.end()) return std::nullopt;
  const std::string& line = lines_[it->second];
  return TrimBlanks(line.substr(line.find('=') + 1));
}

std::string TInifileEx::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultText) const {
  auto found = Find(section, key);
  return found ? *found : defaultText;
}

std::size_t TInifileEx::InsertionLine(std::size_t sectionIndex) const {
  const std::size_t header = sections_[sectionIndex].header;
  std::size_t end =
      sectionIndex + 1 < sections_.size() ? sections_[sectionIndex + 1].header : lines_.size();
  while (end > header + 1 && TrimBlanks(lines_[end - 1]).empty()) --end;
  return end;
}

void TInifileEx::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
  const std::string cleanKey = TrimBlanks(OneLine(key));
  const std::string entry = cleanKey + " = " + OneLine(value);
  if (const Section* s = FindSection(section)) {
    auto it = s->entries.find(Fold(cleanKey));
    if (it != s->entries.end()) {
      // The file's own spelling of the key stays.
      std::string& line = lines_[it->second];
      const std::string kept = TrimBlanks(line.substr(0, line.find('='))) + " = " + OneLine(value);
      if (line == kept) return;
      line = kept;
    } else {
      const std::size_t at = InsertionLine(static_cast<std::size_t>(s - sections_.data()));
      lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), entry);
    }
  } else {
    if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + TrimBlanks(OneLine(section)) + "]");
    lines_.push_back(entry);
  }
  modified_ = true;
  Index();
}

std::vector<std::string> TInifileEx::SectionKeys(const std::string& section) const {
  const Section* s = FindSection(section);
  return s ? s->keys : std::vector<std::string>{};
}

std::vector<std::string> TInifileEx::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

bool TInifileEx::Save() {
  if (!modified_) return true;
  if (!readable_) return false;
  std::vector<std::uint8_t> bytes;
  if (bom_) bytes.assign(kBom, kBom + 3);
  for (const std::string& line : lines_) {
    bytes.insert(bytes.end(), line.begin(), line.end());
    bytes.push_back('\n');
  }
  // What a killed save of this file left holds text, no zero byte.
  const TemporaryCheck ours = [](std::span<const std::uint8_t> head) {
    return std::find(head.begin(), head.end(), 0) == head.end();
  };
  if (!WriteFileAtomically(fileName_, bytes, ours, nullptr)) return false;
  modified_ = false;
  return true;
}
