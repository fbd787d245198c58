#pragma once
// The surface without a pointer, beside the window's own commands: the
// arrow keys move the selection (1 px, Shift 10 px) or, while a tool is
// armed, a keyboard cursor (a cross on the surface) that Enter places the
// tool at with its default size; [ and ] turn the selection (1 degree,
// Shift 15), Ctrl+D duplicates it 20 px off, Tab and Shift+Tab select the
// objects in scene order, Enter opens the selected object's sheet. Every one
// is an item of "编辑" → "键盘操作" showing its keys; the keys that a
// palette or a sheet also uses act only while the surface has the focus.
// The popup's "旋转…" asks for an angle. In the palette and the tool bar
// the arrow keys go from button to button and Enter presses one; each is
// one stop of the Tab chain (palette, tool bar, surface).

#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>
#include <vector>

class IExperimentWindow;
class QAction;
class QKeySequence;
class QMenu;
class QToolButton;

class SurfaceKeys : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDuplicateOffset = 20;

  struct Places {
    QMenu* editMenu;
    QMenu* popupMenu;
    std::vector<QToolButton*> palette;
    int paletteColumns;
    std::vector<QToolButton*> toolBar;
    // The palette's third column (stops and the half mirror), one above the other.
    std::vector<QToolButton*> paletteColumn = {};
  };
  // The window's commands the keys lead to.
  struct Commands {
    // A tool is armed; places it by a drag from `from` to `to`.
    std::function<bool()> armed;
    std::function<void(QPoint from, QPoint to)> place;
    // After an edit of the scene (its snapshot taken): picture and buttons.
    std::function<void(bool changed)> edited;
    std::function<void()> properties;
  };

  SurfaceKeys(IExperimentWindow& window, const Places& places, Commands commands, QObject* parent);

  // Asks for the angle of "旋转…"; empty when cancelled. Tests replace it.
  using AngleQuestion = std::function<std::optional<double>(double now)>;
  static void SetAngleQuestion(AngleQuestion question);

  // After every refresh: the keys that stepping also uses step while it is on.
  void Refreshed();
  // Where Enter places an armed tool, in surface pixels.
  QPoint Cursor() const { return cursor_; }
  void MoveCursor(int dx, int dy);
  // The drag that places `className` at the cursor: its default size.
  static QPoint PlacingDrag(const std::string& className);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddItem(QMenu* menu, const char* name, const char* caption,
                   const QList<QKeySequence>& keys, bool surfaceOnly, std::function<void()> act);
  void Arrow(int dx, int dy);
  void Turn(double degrees);
  void TabToObject(bool forward);
  void Enter();
  void AskAngle();
  // Arrow keys and Enter in a row of buttons; one Tab stop per row.
  void MakeRoving(const std::vector<QToolButton*>& buttons, int columns);
  bool RovingKey(QToolButton* button, int key);

  IExperimentWindow& window_;
  Commands commands_;
  QPoint cursor_{200, 200};
  std::vector<QAction*> steppingKeys_;
  QAction* turnItem_ = nullptr;
  struct Row {
    std::vector<QToolButton*> buttons;
    int columns = 1;
  };
  std::vector<Row> rows_;
};
