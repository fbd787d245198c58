#include "ui/WindowTranslator.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

#include "i18n/Convert.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmSystem.h"
#include "ui/QtText.h"

namespace {

constexpr const char* kAttached = "tlmAttached";
constexpr const char* kOwnFont = "tlmOwnFont";
constexpr const char* kOwnFontSet = "tlmOwnFontSet";

// The tab widget whose page `widget` is, or null.
QTabWidget* TabOf(QWidget* widget, int& index) {
  auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
  auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
  index = tabs ? tabs->indexOf(widget) : -1;
  return index >= 0 ? tabs : nullptr;
}

bool SetCaption(QObject* component, bool self, const QString& text) {
  if (self) {
    if (auto* window = qobject_cast<QWidget*>(component)) window->setWindowTitle(text);
    return true;
  }
  if (auto* menu = qobject_cast<QMenu*>(component)) {
    menu->setTitle(text);
  } else if (auto* action = qobject_cast<QAction*>(component)) {
    action->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(component)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(component)) {
    label->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(component)) {
    group->setTitle(text);
  } else if (auto* widget = qobject_cast<QWidget*>(component)) {
    int index = -1;
    QTabWidget* tabs = TabOf(widget, index);
    if (!tabs) return false;
    tabs->setTabText(index, text);
  } else {
    return false;
  }
  return true;
}

void SetHint(QObject* component, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(component))
    action->setToolTip(text);
  else if (auto* widget = qobject_cast<QWidget*>(component))
    widget->setToolTip(text);
}

std::string KeyOf(const QObject* component, const std::string& name, const std::string& property) {
  const QVariant key = component->property(("tlmKey." + property).c_str());
  return key.isValid() ? key.toString().toStdString() : name + "." + property;
}

void TranslateText(QObject* component, const std::string& name, bool self,
                   const std::string& property, const TtlmController& controller) {
  const std::string key = KeyOf(component, name, property);
  const auto chinese = controller.RecordedDefault(key);
  if (!chinese) return;  // not a text of the lookup
  const QString text = Q(controller.Translate(key, *chinese));
  if (property == "Caption")
    SetCaption(component, self, text);
  else if (property == "Hint")
    SetHint(component, text);
}

void TranslateLines(QObject* component, const std::string& name, const std::string& property,
                    const TtlmController& controller) {
  auto line = [&](int i) -> std::optional<QString> {
    const std::string key = name + "." + property + "[" + std::to_string(i) + "]";
    const auto chinese = controller.RecordedDefault(key);
    if (!chinese) return std::nullopt;
    return Q(controller.Translate(key, *chinese));
  };
  if (auto* combo = qobject_cast<QComboBox*>(component)) {
    for (int i = 0; i < combo->count(); ++i)
      if (auto text = line(i)) combo->setItemText(i, *text);
  } else if (auto* list = qobject_cast<QListWidget*>(component)) {
    for (int i = 0; i < list->count(); ++i)
      if (auto text = line(i)) list->item(i)->setText(*text);
  }
}

void TranslateComponent(QObject* component, const std::string& name, bool self,
                        const TtlmController& controller) {
  const auto& ignored = controller.IgnoreControls;
  if (std::find(ignored.begin(), ignored.end(), name) != ignored.end()) return;
  for (const std::string& property : controller.StringProperties)
    TranslateText(component, name, self, property, controller);
  for (const std::string& property : controller.StringsProperties)
    TranslateLines(component, name, property, controller);
}

// Every named object below `parent`, stopping at windows with their own controller.
void TranslateChildren(QObject* parent, const TtlmController& controller) {
  for (QObject* child : parent->children()) {
    if (child->property(kAttached).toBool()) continue;
    const std::string name = child->objectName().toStdString();
    if (!name.empty()) TranslateComponent(child, name, false, controller);
    TranslateChildren(child, controller);
  }
}

void ApplyFont(QWidget* window) {
  QFont font = window->property(kOwnFont).value<QFont>();
  const bool ownFontSet = window->property(kOwnFontSet).toBool();
  const ILanguageFilter* filter = TtlmSystem::Instance().Filter();
  if (!filter || filter->ActiveLanguage() < 0) {
    window->setFont(ownFontSet ? font : QFont());
    return;
  }
  const TtlmLanguageInfo info = filter->GeneralInfo();
  if (info.fontName.empty() && info.fontSize.empty()) {
    window->setFont(ownFontSet ? font : QFont());
    return;
  }
  if (!info.fontName.empty()) font.setFamily(Q(info.fontName));
  int size = 0;
  // A size that is not a number keeps the old one.
  if (TryStrToInt(info.fontSize, size) && size > 0 && size <= 200) font.setPointSize(size);
  window->setFont(font);
}

}  // namespace

void AttachTranslator(QWidget* window, TtlmController& controller) {
  if (window->property(kAttached).toBool())
    throw std::logic_error("Can not create more than one Language Controller on the container!");
  window->setProperty(kAttached, true);
  window->setProperty(kOwnFont, window->font());
  window->setProperty(kOwnFontSet, window->testAttribute(Qt::WA_SetFont));
  QPointer<QWidget> guard(window);
  controller.OnLanguageChange = [guard, &controller] {
    if (guard) TranslateWindow(guard, controller);
  };
}

void TranslateWindow(QWidget* window, const TtlmController& controller) {
  const bool updates = window->updatesEnabled();
  window->setUpdatesEnabled(false);
  ApplyFont(window);
  TranslateComponent(window, "self", true, controller);
  TranslateChildren(window, controller);
  window->setUpdatesEnabled(updates);
}

void SetTextKey(QObject* component, const char* property, const std::string& key) {
  component->setProperty((std::string("tlmKey.") + property).c_str(), Q(key));
}
