#include "i18n/TtlmIniFilter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <stdexcept>

#include "platform/ProgramFolders.h"

namespace {

std::string& ApplicationFileOverride() {
  static std::string path;
  return path;
}

constexpr const char* kOrganisation = "Fenwark Workshop";
constexpr const char* kApplication = "LangManager";
constexpr const char* kGeneral = "General";

bool SameText(const std::string& a, const std::string& b) {
  return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// Values of the general section; a missing key gives the default as it is.
std::string ReadGeneral(const TtlmIniFilter& filter, const TInifileEx& file, const char* key,
                        const std::string& defaultText) {
  auto found = file.Find(kGeneral, key);
  return found ? filter.StripBracket(*found) : defaultText;
}

QString RememberedValueName() {
  return QFileInfo(QString::fromStdString(ApplicationFile())).fileName();
}

}  // namespace

void SetApplicationFile(const std::string& path) { ApplicationFileOverride() = path; }

std::string ApplicationFile() {
  if (!ApplicationFileOverride().empty()) return ApplicationFileOverride();
  return QCoreApplication::applicationFilePath().toStdString();
}

std::string FileExtension(const std::string& fileName) {
  const QString suffix = QFileInfo(QString::fromStdString(fileName)).suffix();
  return suffix.isEmpty() ? std::string() : "." + suffix.toStdString();
}

std::shared_ptr<TtlmIniFilter> MakeMainLanguageFilter() {
  auto filter = std::make_shared<TtlmIniFilter>("TLumidorNetworkFrm");
  filter->LanguagePath = TtlmIniFilter::kAppHome;
  filter->CustomLanguageFiles = true;
  filter->LanguageFiles = {kMainLanguageFile};
  filter->CustomLanguageExt = true;
  filter->LanguageExt = kMainLanguageExt;
  // Files written by the generator keep their texts in "<" ">".
  filter->AddBracket = true;
  return filter;
}

TtlmIniFilter::TtlmIniFilter(std::string owner) : owner_(std::move(owner)) {
  if (owner_.empty()) throw std::logic_error("Can not create the Filter without owner!");
}

TtlmIniFilter::~TtlmIniFilter() = default;

void TtlmIniFilter::SetActive(bool active) {
  TtlmSystem& system = TtlmSystem::Instance();
  if (active) {
    if (system.Filter() != this) system.ActivateFilter(shared_from_this());
  } else if (system.Filter() == this) {
    system.DeactivateFilter();
  }
}

bool TtlmIniFilter::Active() const { return TtlmSystem::Instance().Filter() == this; }

std::string TtlmIniFilter::ResolvedFolder() const {
  QString path = QString::fromStdString(LanguagePath);
  const QString home = QString::fromStdString(DataFolderOf(
      QFileInfo(QString::fromStdString(ApplicationFile())).absolutePath().toStdString()));
  path.replace(QString(kAppHome), home, Qt::CaseInsensitive);
  if (!path.isEmpty() && !path.endsWith('/')) path += '/';
  return path.toStdString();
}

void TtlmIniFilter::LoadLanguages() {
  loadedFiles_.clear();
  languageNames_.clear();
  const std::string folder = ResolvedFolder();
  std::vector<std::string> candidates;
  if (CustomLanguageFiles) {
    for (const std::string& name : LanguageFiles) candidates.push_back(folder + name);
  } else {
    const QFileInfo program(QString::fromStdString(ApplicationFile()));
    const QDir dir(QString::fromStdString(folder));
    const QFileInfoList files =
        dir.entryInfoList({program.completeBaseName() + ".*"}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files)
      if (file.absoluteFilePath() != program.absoluteFilePath())
        candidates.push_back(file.absoluteFilePath().toStdString());
  }
  // Last to first, as candidates are dropped.
  for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
    if (!QFileInfo(QString::fromStdString(*it)).isFile()) continue;
    const TInifileEx file(*it);
    if (!file.SectionExists(kGeneral)) continue;
    loadedFiles_.insert(loadedFiles_.begin(), *it);
    languageNames_.insert(languageNames_.begin(),
                          ReadGeneral(*this, file, "Language", kUnknownLanguage));
  }

  const std::string start = StartingExtension();
  int index = -1;
  for (std::size_t i = 0; i < loadedFiles_.size() && index < 0; ++i)
    if (SameText(FileExtension(loadedFiles_[i]), start)) index = static_cast<int>(i);
  file_.reset();
  activeLanguage_ = -1;
  if (index >= 0) OpenFile(std::make_unique<TInifileEx>(loadedFiles_[index]), index);
}

std::string TtlmIniFilter::StartingExtension() const {
  if (CustomLanguageExt) return LanguageExt;
  const std::string remembered = RememberedExtension();
  if (!remembered.empty()) return remembered;
  const QString code =
      QLocale::languageToCode(QLocale::system().language(), QLocale::ISO639Part2).toUpper();
  return "." + code.toStdString();
}

void TtlmIniFilter::OpenFile(std::unique_ptr<TInifileEx> file, int index) {
  file_ = std::move(file);
  activeLanguage_ = file_ ? index : -1;
}

void TtlmIniFilter::SetActiveLanguage(int index) {
  file_.reset();
  activeLanguage_ = -1;
  if (index >= 0 && index < static_cast<int>(loadedFiles_.size())) {
    auto file = std::make_unique<TInifileEx>(loadedFiles_[static_cast<std::size_t>(index)]);
    // A file that went away or was spoilt since discovery opens nothing.
    if (file->SectionExists(kGeneral)) {
      OpenFile(std::move(file), index);
      if (SaveSettings) RememberExtension(FileExtension(loadedFiles_[index]));
    }
  }
  if (Active()) TtlmSystem::Instance().ChangeLanguage();
}

std::string TtlmIniFilter::RememberedExtension() {
  QSettings settings(kOrganisation, kApplication);
  return settings.value(RememberedValueName()).toString().toStdString();
}

void TtlmIniFilter::RememberExtension(const std::string& extension) {
  QSettings settings(kOrganisation, kApplication);
  settings.setValue(RememberedValueName(), QString::fromStdString(extension));
}

std::string TtlmIniFilter::StripBracket(std::string value) const {
  if (AddBracket && value.size() >= 2 && value.front() == '<' && value.back() == '>')
    return value.substr(1, value.size() - 2);
  return value;
}

std::optional<std::string> TtlmIniFilter::Translate(const std::string& section,
                                                    const std::string& key) const {
  if (!file_) return std::nullopt;
  auto found = file_->Find(section, key);
  if (!found) return std::nullopt;
  return StripBracket(*found);
}

TtlmLanguageInfo TtlmIniFilter::GeneralInfo() const {
  TtlmLanguageInfo info;
  if (!file_) return info;
  info.language = ReadGeneral(*this, *file_, "Language", kUnknownLanguage);
  info.charset = ReadGeneral(*this, *file_, "Charset", "");
  info.fontName = ReadGeneral(*this, *file_, "FontName", "");
  info.fontSize = ReadGeneral(*this, *file_, "FontSize", "");
  return info;
}

std::string TtlmIniFilter::ActiveExtension() const {
  return file_ ? FileExtension(file_->FileName()) : std::string();
}
