#pragma once
// The classroom commands of the run menu and tool bar: reveal the trace one
// generation at a time ("逐步显示", "下一步", "上一步", "自动播放", "全部显示")
// and follow one ray ("跟随光线"). They only choose which part of the trace a
// refresh shows (Document::view); with none in use the window is as before.

#include <QObject>

class QAction;
class QLabel;
class QTimer;
class QToolButton;
class TLumidorNetworkFrm;

class TeachingControls : public QObject {
  Q_OBJECT

 public:
  static constexpr int kAutoPlayMs = 500;
  static constexpr double kPickTolerance = 5;  // px from a ray piece

  explicit TeachingControls(TLumidorNetworkFrm* window);

  bool Stepping() const { return stepping_; }
  int Step() const { return step_; }
  int Steps() const { return steps_; }
  bool AutoPlaying() const;

  // After every refresh: the trace's generations, the step kept within
  // them, the status text.
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
  void UpdateCommands();
  // Starts or stops the timer; "自动播放" shows pressed exactly while it runs.
  void SetPlaying(bool playing);
  // Following and the law show nothing until a ray is clicked: the status
  // bar says so while one of them is on and no ray is followed.
  void UpdateHint();
  // Shows the current choice: sets the view and refreshes.
  void Show();

  TLumidorNetworkFrm* window_;
  QTimer* timer_;
  QLabel* stepPanel_;
  QLabel* hintPanel_;
  QToolButton* playButton_ = nullptr;
  QAction* followItem_ = nullptr;
  QAction* lawItem_ = nullptr;
  QAction* equationsItem_ = nullptr;
  QAction* insertBefore_ = nullptr;  // in the tool bar, after "停止"
  bool stepping_ = false;
  int step_ = 1, steps_ = 0;
};
