#pragma once
// What a screen reader hears of the drawing surface: a named graphic whose
// value says the selected object's kind, name, position and main values
// (a lens: its focal length), and which tells the reader when that changes
// (a selection, a move, running or stopped, the step shown). The palette's
// and tool bar's buttons are named by their captions or hints, following the
// language as they change.

#include <QAccessibleWidget>
#include <QObject>
#include <QString>
#include <functional>

class TDrawSurface;

class SurfaceAccessible : public QAccessibleWidget {
 public:
  // `describe` gives the surface's value now.
  SurfaceAccessible(QWidget* surface, std::function<QString()> describe);
  QString text(QAccessible::Text t) const override;

  // Installs the surface's interface, and names for `buttons` (their
  // caption, else their hint; the hint as description).
  static void Install(TDrawSurface* surface, std::function<QString()> describe,
                      const QList<QWidget*>& buttons);
  // After a refresh: tells the reader when the value changed.
  static void Refreshed(TDrawSurface* surface);

 private:
  std::function<QString()> describe_;
};
