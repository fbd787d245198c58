#pragma once
// The classroom commands of the run menu and tool bar: reveal the trace one
// generation at a time ("逐步显示", "下一步", "上一步", "自动播放", "全部显示")
// and follow one ray ("跟随光线"). They only choose which part of the trace a
// refresh shows (Document::view); with none in use the window is as before.

#include <QObject>
#include <vector>

class IExperimentWindow;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;

class TeachingControls : public QObject {
  Q_OBJECT

 public:
  static constexpr int kAutoPlayMs = 500;
  static constexpr double kPickTolerance = 5;  // px from a ray piece

  // Where the commands go in the window.
  struct Places {
    QToolBar* toolBar;
    QAction* toolBarAfter;  // the buttons follow this item; at the end when null
    QMenu* runMenu;
    QMenu* viewMenu;
    QStatusBar* statusBar;
    QAction* escape;  // also lets go of the followed ray; may be null
  };

  TeachingControls(IExperimentWindow& window, const Places& places, QObject* parent);

  bool Stepping() const;
  int Step() const;
  int Steps() const;
  bool AutoPlaying() const;

  // After every refresh: the status text of the step the document kept.
  void Refreshed();
  // Tracing stopped (or a new page): stepping and following end.
  void Leave();
  // A left press with the select tool on no object.
  void PressedOnNothing(int x, int y);

 public slots:
  void StartStepping();
  void NextStep();
  void PreviousStep();
  void AutoPlay();
  void ShowAll();
  void FollowSwitched(bool on);
  // "显示成像公式": the equation panels, remembered for the next start.
  void EquationsSwitched(bool on);
  // "显示折射定律": the law at each hit of the followed ray, remembered too.
  void LawSwitched(bool on);
  void ClearFollow();

 private:
  QAction* AddItem(const char* name, const char* caption, void (TeachingControls::*slot)());
  QToolButton* AddButton(const char* name, const char* caption, int glyph,
                         void (TeachingControls::*slot)());
  QAction* AddSwitch(QMenu* menu, const char* name, const char* caption,
                     void (TeachingControls::*slot)(bool));
  void UpdateCommands();
  // Starts or stops the timer; "自动播放" shows pressed exactly while it runs.
  void SetPlaying(bool playing);
  // Following and the law show nothing until a ray is clicked: the status
  // bar says so while one of them is on and no ray is followed.
  void UpdateHint();
  // Shows the current choice: sets the view and refreshes.
  void Show();

  IExperimentWindow& window_;
  Places places_;
  QTimer* timer_;
  QLabel* stepPanel_ = nullptr;
  QLabel* hintPanel_ = nullptr;
  QToolButton* playButton_ = nullptr;
  QAction* followItem_ = nullptr;
  QAction* lawItem_ = nullptr;
  QAction* equationsItem_ = nullptr;
  QAction* insertBefore_ = nullptr;  // the tool bar item after toolBarAfter
  // Only of use while stepping: next, back, show all.
  std::vector<QAction*> steppingItems_;
  std::vector<QToolButton*> steppingButtons_;
};
