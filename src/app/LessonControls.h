#pragma once
// Lessons in the window: "新建课件" and "保存课件" in the file menu, the menu
// "课件" (上一场景 / 下一场景 on Page Up / Page Down, the scene's options, the
// teacher's PIN, 学生模式), a scene bar below the surface to add, duplicate,
// reorder, rename and delete scenes, with large previous / next buttons,
// and the scene in the title and status bars. The lesson itself is the
// headless LessonSession; nothing here shows until a lesson is made or opened.
//
// Student mode hides the palette and the commands that change what is
// locked or replace the lesson (new, open, save, page settings, locking,
// the scene list's edits); locked objects stay as they are. Leaving it takes
// "退出学生模式", a confirmation and, when the lesson has one, the PIN.

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/LessonSession.h"
#include "objects/Worksheet.h"

class IExperimentWindow;
class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QStatusBar;
class QWidget;
class TeachingControls;

class LessonControls : public QObject {
  Q_OBJECT

 public:
  struct Places {
    QMainWindow* window;
    QMenu* fileMenu;
    QAction* fileMenuBefore;  // the new items go before it
    QStatusBar* statusBar;
    QWidget* palette;
    // The window's commands by name (hidden in student mode).
    std::function<QAction*(const std::string&)> action;
    TeachingControls* teaching;  // may be null
  };
  // Asks for the PIN; nothing when cancelled. Tests replace it.
  using PinAsker = std::function<std::optional<std::string>(const std::string& prompt)>;

  LessonControls(IExperimentWindow& window, const Places& places, QObject* parent);

  LessonSession& Session() { return session_; }
  bool StudentMode() const { return student_; }
  // A worksheet's heading in a lesson: the lesson's title (or its file's
  // name) over the scene's; empty outside a lesson.
  WorksheetOptions WorksheetTitles() const;
  void SetPinAsker(PinAsker ask) { askPin_ = std::move(ask); }

  // A lesson file (by its extension or its content).
  static bool IsLesson(const std::string& path);
  OpenStatus Open(const std::string& path);
  // The plain experiment replaced the lesson (New, Open of an experiment).
  void Leave();
  // Ctrl+S while a lesson is open.
  void SaveLesson();
  // Undo and redo of the list, when the scene itself has nothing to undo.
  bool UndoList();
  bool RedoList();
  // Crash recovery: the whole lesson while one is open and has changes;
  // nothing when no lesson is open.
  std::optional<std::vector<std::uint8_t>> UnsavedLesson();
  // A recovered lesson has no file yet.
  void Untitle();

 public slots:
  void NewLesson();
  void SaveLessonAs();
  void PreviousScene();
  void NextScene();
  void AddScene();
  void DuplicateScene();
  void MoveSceneUp();
  void MoveSceneDown();
  void RenameScene();
  void DeleteScene();
  void SetPin();
  void EnterStudentMode();
  // False when the teacher did not confirm or the PIN was wrong.
  bool LeaveStudentMode();

 private:
  void BuildBar();
  void ShowScene(std::size_t index);
  void SceneShown();
  void ListEdited(bool changed, const std::string& error = {});
  void OptionsSwitched();
  void Update();

  IExperimentWindow& window_;
  Places places_;
  LessonSession session_;
  bool student_ = false;
  PinAsker askPin_;
  QDockWidget* bar_ = nullptr;
  QListWidget* list_ = nullptr;
  QWidget* editButtons_ = nullptr;
  QLabel* panel_ = nullptr;
  QMenu* menu_ = nullptr;
  std::vector<QAction*> lessonOnly_;   // shown while a lesson is open
  std::vector<QAction*> teacherOnly_;  // hidden in student mode
  QAction* options_[3] = {};
  QAction* leave_ = nullptr;
};
