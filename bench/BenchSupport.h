#pragma once
// Shared by the benchmarks: a sink that only counts, and the GUI application
// that fonts need.

#include <QGuiApplication>

#include "optics/ITraceSink.h"

// Counts what a trace would draw, without drawing it.
class CountingSink : public ITraceSink {
 public:
  std::size_t items = 0;
  void RayPiece(TPointF, TPointF, const DrawBaseRayDataStruct&) override { ++items; }
  void Arrow(TPointF, float, const DrawBaseRayDataStruct&) override { ++items; }
  void Normal(TPointF, TPointF) override { ++items; }
  void Extension(TPointF, TPointF) override { ++items; }
  void AngleLabel(TPointF, const std::string&, bool) override { ++items; }
  void ImagePoint(TPointF, bool, const std::string&) override { ++items; }
  void ImageArrow(TPointF, TPointF, bool, int) override { ++items; }
};

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "exo_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}
