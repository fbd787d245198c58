#pragma once
// Message boxes of the windowed program.

#include <QPointer>
#include <QWidget>

#include "scene/IMessageSink.h"

class QtMessageSink : public IMessageSink {
 public:
  explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  // An information box titled with the application's title (text "187").
  void ShowMessage(const std::string& text) override;
  // Yes/No with Yes as the default button; true only for Yes.
  bool AskYesNo(const std::string& caption, const std::string& text) override;

 private:
  QPointer<QWidget> parent_;
};
