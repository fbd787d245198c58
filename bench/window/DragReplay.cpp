// Drags across a running experiment in a real window and reports whether the
// refreshes keep up with the pointer, and how long start-up takes to show the
// first painted frame. Run it under a display (xvfb-run for a virtual one):
//   exo_drag_bench FILE.exo [--moves N] [--hz H]
// It prints one "key<TAB>value" per line.
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/TDrawSurface.h"
#include "app/TLumidorNetworkFrm.h"
#include "scene/IMessageSink.h"
#include "scene/ProcessSettings.h"

namespace {

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Watches the surface's paints: the first one after start-up is the first frame.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
  double at = -1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && at < 0) {
      // Measured once the paint has run.
      QTimer::singleShot(0, [this] {
        if (at < 0) at = double(clock_.nsecsElapsed()) / 1e6;
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const QElapsedTimer& clock_;
};

void Post(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
  QCoreApplication::postEvent(
      target, new QMouseEvent(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier));
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: exo_drag_bench FILE.exo [--moves N] [--hz H]\n");
    return 2;
  }
  int moves = 300;
  double hertz = 60;
  for (int i = 2; i + 1 < args.size(); i += 2) {
    if (args[i] == "--moves") moves = std::clamp(args[i + 1].toInt(), 1, 100000);
    if (args[i] == "--hz") hertz = std::clamp(args[i + 1].toDouble(), 1.0, 1000.0);
  }
  CollectingMessageSink messages;
  Settings().messages = &messages;
  TLumidorNetworkFrm::Options options;
  options.splash = false;
  options.openFile = args[1].toStdString();
  TLumidorNetworkFrm window(options);
  FirstPaint firstPaint(clock);
  window.Surface()->installEventFilter(&firstPaint);
  window.showMaximized();
  while (firstPaint.at < 0 && clock.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

  // Run, then drag the whole scene in move mode: every move retraces all of it.
  if (auto* run = window.findChild<QAction*>("RunMenu")) run->trigger();
  if (auto* move = window.findChild<QToolButton*>("SpeedButton7")) move->click();
  QWidget* surface = window.Surface();
  const QPointF from(200, 200);
  std::vector<double> postedAt(std::size_t(moves), 0), latency, refreshEnds;
  QObject::connect(window.Surface(), &TDrawSurface::MouseMove, &window,
                   [&](Qt::MouseButtons, int x, int) {
                     // Connected after the window's own handler: the refresh is done.
                     const double now = double(clock.nsecsElapsed()) / 1e6;
                     const int i = x - int(from.x()) - 1;
                     if (i >= 0 && i < moves) latency.push_back(now - postedAt[std::size_t(i)]);
                     refreshEnds.push_back(now);
                   });
  Post(surface, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  QCoreApplication::processEvents();
  QElapsedTimer pace;
  pace.start();
  const double period = 1000.0 / hertz;
  for (int i = 0; i < moves; ++i) {
    // Wait for the pointer's next sample, handling events meanwhile.
    while (double(pace.nsecsElapsed()) / 1e6 < period * (i + 1))
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    postedAt[std::size_t(i)] = double(clock.nsecsElapsed()) / 1e6;
    Post(surface, QEvent::MouseMove, from + QPointF(i + 1, 0), Qt::NoButton, Qt::LeftButton);
  }
  const double lastPosted = postedAt.back();
  while (double(clock.nsecsElapsed()) / 1e6 < lastPosted + 2000 &&
         (refreshEnds.empty() || refreshEnds.back() < lastPosted))
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  Post(surface, QEvent::MouseButtonRelease, from + QPointF(moves, 0), Qt::LeftButton, Qt::NoButton);
  QCoreApplication::processEvents();

  std::vector<double> intervals;
  for (std::size_t k = 1; k < refreshEnds.size(); ++k)
    intervals.push_back(refreshEnds[k] - refreshEnds[k - 1]);
  std::printf("first frame ms\t%.1f\n", firstPaint.at);
  if (const QScreen* screen = window.screen())
    std::printf("screen Hz\t%.1f\n", screen->refreshRate());
  std::printf("moves\t%d at %.0f Hz\n", moves, hertz);
  std::printf("refreshes\t%zu\n", refreshEnds.size());
  std::printf("latency ms\tmedian %.1f\tmax %.1f\n", Median(latency),
              latency.empty() ? 0.0 : *std::max_element(latency.begin(), latency.end()));
  std::printf("refresh interval ms\tmedian %.1f\n", Median(intervals));
  std::printf("last refresh after last move ms\t%.1f\n",
              refreshEnds.empty() ? -1.0 : refreshEnds.back() - lastPosted);
  Settings().messages = nullptr;
  return 0;
}
