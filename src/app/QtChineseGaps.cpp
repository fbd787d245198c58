#include "app/QtChineseGaps.h"

#include <cstring>

namespace {

struct Gap {
  const char* context;
  const char* source;
  const char* chinese;
};

constexpr Gap kGaps[] = {
    {"QAbstractFileIconProvider", "Folder", "文件夹"},
    {"QAbstractFileIconProvider", "File Folder", "文件夹"},
    {"QAbstractFileIconProvider", "Drive", "驱动器"},
    {"QAbstractFileIconProvider", "Alias", "快捷方式"},
    {"QAbstractFileIconProvider", "File", "文件"},
};

}  // namespace

QString QtChineseGaps::translate(const char* context, const char* sourceText, const char*,
                                 int) const {
  if (!context || !sourceText) return {};
  for (const Gap& gap : kGaps)
    if (std::strcmp(context, gap.context) == 0 && std::strcmp(sourceText, gap.source) == 0)
      return QString::fromUtf8(gap.chinese);
  return {};
}
