#pragma once
// "最近打开的实验" in the file menu: the last experiments opened or saved,
// newest first, remembered for the next start beside the language choice.
// An entry whose file is gone shows disabled and is dropped at the next
// change of the list; "清除列表" empties it.

#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

class RecentExperiments : public QObject {
  Q_OBJECT
 public:
  static constexpr int kMax = 8;
  using Opener = std::function<void(const QString& path)>;

  // Adds the submenu to `fileMenu` before `before`; a chosen entry goes to `open`.
  RecentExperiments(QMenu* fileMenu, QAction* before, Opener open);

  // A file opened or saved: first in the list from now on.
  void Add(const QString& path);
  void Clear();
  // The remembered list, newest first.
  static QStringList Paths();
  QMenu* Menu() const { return menu_; }

 private:
  static void Store(const QStringList& paths);
  void Rebuild();

  QMenu* menu_;
  QAction* clear_;
  Opener open_;
};
