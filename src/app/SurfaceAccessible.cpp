#include "app/SurfaceAccessible.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPointer>

#include "app/TDrawSurface.h"
#include "app/WindowTexts.h"

namespace {

std::function<QString()>& Describe() {
  static std::function<QString()> describe;
  return describe;
}
QPointer<TDrawSurface>& Surface() {
  static QPointer<TDrawSurface> surface;
  return surface;
}
QString& LastValue() {
  static QString last;
  return last;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (object && object == Surface().data())
    return new SurfaceAccessible(Surface().data(), Describe());
  return nullptr;
}

// Keeps a button's accessible name on its caption or hint as the language changes.
class ButtonNames : public QObject {
 public:
  using QObject::QObject;
  static void Name(QAbstractButton* button) {
    button->setAccessibleName(button->text().isEmpty() ? button->toolTip() : button->text());
    button->setAccessibleDescription(button->toolTip());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTipChange || event->type() == QEvent::LanguageChange)
      if (auto* button = qobject_cast<QAbstractButton*>(watched)) Name(button);
    return false;
  }
};

}  // namespace

SurfaceAccessible::SurfaceAccessible(QWidget* surface, std::function<QString()> describe)
    : QAccessibleWidget(surface, QAccessible::Graphic), describe_(std::move(describe)) {}

QString SurfaceAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return Caption("Surface", "绘图区");
    case QAccessible::Description:
      return Caption("SurfaceHelp",
                     "Tab 选择对象, 方向键移动, Enter 放置工具或打开属性, Delete 删除");
    case QAccessible::Value:
      return describe_ ? describe_() : QString();
    default:
      return QAccessibleWidget::text(t);
  }
}

void SurfaceAccessible::Install(TDrawSurface* surface, std::function<QString()> describe,
                                const QList<QWidget*>& buttons) {
  Surface() = surface;
  Describe() = std::move(describe);
  static bool installed = false;
  if (!installed) QAccessible::installFactory(Factory);
  installed = true;
  auto* names = new ButtonNames(surface);
  for (QWidget* widget : buttons)
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      ButtonNames::Name(button);
      button->installEventFilter(names);
    }
}

void SurfaceAccessible::Refreshed(TDrawSurface* surface) {
  if (surface != Surface().data() || !Describe()) return;
  // Qt makes the tool bar's overflow button once the bar is laid out.
  for (auto* more : surface->window()->findChildren<QAbstractButton*>("qt_toolbar_ext_button"))
    if (more->accessibleName().isEmpty())
      more->setAccessibleName(Caption("ToolBarMore", "更多工具按钮"));
  const QString now = Describe()();
  if (now == LastValue()) return;
  LastValue() = now;
  if (!QAccessible::isActive()) return;
  QAccessibleValueChangeEvent changed(surface, now);
  QAccessible::updateAccessibility(&changed);
}
