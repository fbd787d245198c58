#pragma once
// Sliders on the board: while one ideal lens, curved mirror, lens, medium or
// beam is selected, a strip of finger-sized sliders along the bottom of the
// surface sets its main values (the property rows that declare a slider
// range, scene/PropertyRows.h), each with its value in figures. Dragging
// retraces on every move; the release is one undo step. "滑块条" under
// "视图" shows or hides the strip (off until chosen, remembered).

#include <QObject>
#include <cstddef>
#include <string>
#include <vector>

#include "scene/PropertyRows.h"

class DrawObjectUnit;
class IExperimentWindow;
class QAction;
class QLabel;
class QMenu;
class QSlider;
class QWidget;

class SliderStrip : public QObject {
  Q_OBJECT

 public:
  SliderStrip(IExperimentWindow& window, QMenu* viewMenu, QObject* parent);

  // After every refresh of the window: follows the selection.
  void Refreshed();

  QWidget* Strip() const { return strip_; }
  QAction* MenuItem() const { return item_; }
  // The sliders shown, top to bottom, and their rows' keys.
  const std::vector<QSlider*>& Sliders() const { return sliders_; }
  std::vector<std::string> Keys() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    std::size_t row;
    std::string key;
    PropertyRow::Slider range;
  };
  DrawObjectUnit* Selected() const;
  void Rebuild(const std::vector<Entry>& entries);
  void ShowValues(const PropertyRows& rows);
  void Moved(std::size_t index, int position);
  void Place();

  IExperimentWindow& window_;
  QWidget* strip_ = nullptr;
  QAction* item_ = nullptr;
  DrawObjectUnit* object_ = nullptr;
  std::vector<Entry> entries_;
  std::vector<QSlider*> sliders_;
  std::vector<QLabel*> values_;
  bool applying_ = false;
};
