#pragma once
// Qt's own Chinese texts as Debian ships them leave out a few that the file
// dialogs show ("Folder" in the type column); this fills them in, installed
// beside Qt's translation while the interface is Chinese.

#include <QTranslator>

class QtChineseGaps : public QTranslator {
 public:
  using QTranslator::QTranslator;
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override;
  bool isEmpty() const override { return false; }
};
