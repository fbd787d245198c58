#include "app/SliderStrip.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "app/IExperimentWindow.h"
#include "app/TDrawSurface.h"
#include "i18n/TtlmController.h"
#include "scene/Document.h"
#include "scene/DrawObjectUnit.h"

namespace {

constexpr const char* kOrganisation = "Fenwark Workshop";
constexpr const char* kApplication = "Veltrano Optics";
constexpr const char* kKey = "sliderStrip";
constexpr int kStripHeight = 64;  // a finger's width and then some
constexpr int kMaxPositions = 100000;

int Positions(const PropertyRow::Slider& r) {
  if (!(r.step > 0) || !(r.max > r.min)) return 0;
  return int(std::min<double>(kMaxPositions, std::floor((r.max - r.min) / r.step + 0.5)));
}

int Decimals(double step) {
  int decimals = 0;
  while (decimals < 4 && std::fabs(step * std::pow(10, decimals) -
                                   std::round(step * std::pow(10, decimals))) > 1e-9)
    ++decimals;
  return decimals;
}

std::string Text(double value, double step) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", Decimals(step), value);
  return text;
}

const char* kStyle =
    "QWidget#SliderStrip { background: rgba(40, 40, 40, 220); }"
    "QLabel { color: white; font-size: 16px; }"
    "QSlider::groove:horizontal { height: 10px; background: #888; border-radius: 5px; }"
    "QSlider::handle:horizontal { width: 40px; margin: -15px 0; border-radius: 8px;"
    " background: #f0f0f0; border: 2px solid #303030; }";

}  // namespace

SliderStrip::SliderStrip(IExperimentWindow& window, QMenu* viewMenu, QObject* parent)
    : QObject(parent), window_(window) {
  setObjectName("SliderStripManager");
  item_ = new QAction(QString::fromStdString(Tr("SliderStripMenu.Caption", "滑块条")), viewMenu);
  item_->setObjectName("SliderStripMenu");
  item_->setCheckable(true);
  item_->setChecked(QSettings(kOrganisation, kApplication).value(kKey, false).toBool());
  viewMenu->addAction(item_);
  connect(item_, &QAction::toggled, this, [this](bool on) {
    QSettings(kOrganisation, kApplication).setValue(kKey, on);
    object_ = nullptr;
    Refreshed();
  });
  QWidget* surface = window_.Surface();
  strip_ = new QWidget(surface);
  strip_->setObjectName("SliderStrip");
  strip_->setAttribute(Qt::WA_StyledBackground);
  strip_->setStyleSheet(kStyle);
  new QHBoxLayout(strip_);
  strip_->hide();
  surface->installEventFilter(this);
}

std::vector<std::string> SliderStrip::Keys() const {
  std::vector<std::string> keys;
  for (const auto& e : entries_) keys.push_back(e.key);
  return keys;
}

DrawObjectUnit* SliderStrip::Selected() const {
  const Document& doc = window_.Doc();
  if (doc.selection.size() != 1) return nullptr;
  DrawObjectUnit* object = doc.selection.front();
  const bool inScene = std::any_of(doc.scene.begin(), doc.scene.end(),
                                   [object](const auto& o) { return o.get() == object; });
  return inScene ? object : nullptr;
}

void SliderStrip::Refreshed() {
  if (applying_) return;
  DrawObjectUnit* object = item_->isChecked() ? Selected() : nullptr;
  std::vector<Entry> entries;
  PropertyRows rows;
  if (object) {
    rows = object->PropertyList();
    for (std::size_t i = 0; i < rows.All().size(); ++i) {
      const PropertyRow& row = rows.All()[i];
      if (row.slider && row.apply && !row.readOnly && Positions(*row.slider) > 0)
        entries.push_back({i, row.key, *row.slider});
    }
  }
  const bool same = object == object_ && entries.size() == entries_.size() &&
                    std::equal(entries.begin(), entries.end(), entries_.begin(),
                               [](const Entry& a, const Entry& b) { return a.key == b.key; });
  object_ = object;
  if (!same) Rebuild(entries);
  if (!entries_.empty()) ShowValues(rows);
  strip_->setVisible(!entries_.empty());
  if (strip_->isVisible()) Place();
}

void SliderStrip::Rebuild(const std::vector<Entry>& entries) {
  auto* layout = static_cast<QHBoxLayout*>(strip_->layout());
  while (QLayoutItem* taken = layout->takeAt(0)) {
    const std::unique_ptr<QLayoutItem> item(taken);
    const std::unique_ptr<QWidget> widget(item->widget());
  }
  entries_ = entries;
  sliders_.clear();
  values_.clear();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    auto* key = new QLabel(QString::fromStdString(entries_[i].key), strip_);
    auto* slider = new QSlider(Qt::Horizontal, strip_);
    slider->setObjectName(QString("StripSlider%1").arg(i));
    slider->setAccessibleName(QString::fromStdString(entries_[i].key));
    slider->setRange(0, Positions(entries_[i].range));
    slider->setMinimumSize(160, 48);
    auto* value = new QLabel(strip_);
    value->setMinimumWidth(56);
    layout->addWidget(key);
    layout->addWidget(slider, 1);
    layout->addWidget(value);
    sliders_.push_back(slider);
    values_.push_back(value);
    connect(slider, &QSlider::valueChanged, this, [this, i](int position) { Moved(i, position); });
    // A drag is one undo step, pushed when the finger lets go.
    connect(slider, &QSlider::sliderReleased, this, [this] { window_.Doc().PushUndoSnapshot(); });
  }
}

void SliderStrip::ShowValues(const PropertyRows& rows) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    double value = 0;
    const std::string& text = rows.All()[e.row].value;
    if (std::sscanf(text.c_str(), "%lf", &value) != 1) value = e.range.min;
    const int position = int(
        std::lround((std::clamp(value, e.range.min, e.range.max) - e.range.min) / e.range.step));
    const QSignalBlocker quiet(sliders_[i]);
    sliders_[i]->setValue(position);
    values_[i]->setText(QString::fromStdString(text));
  }
}

void SliderStrip::Moved(std::size_t index, int position) {
  DrawObjectUnit* object = Selected();
  if (!object || object != object_ || index >= entries_.size()) return;
  const Entry& e = entries_[index];
  const std::string text = Text(e.range.min + position * e.range.step, e.range.step);
  const PropertyRows rows = object->PropertyList();
  if (!rows.ApplyOne(e.row, text)) return;
  values_[index]->setText(QString::fromStdString(text));
  applying_ = true;
  window_.RefreshView();
  applying_ = false;
  // Keys and page steps change at once, each its own undo step.
  if (!sliders_[index]->isSliderDown()) window_.Doc().PushUndoSnapshot();
}

void SliderStrip::Place() {
  const QWidget* surface = window_.Surface();
  strip_->setGeometry(0, surface->height() - kStripHeight, surface->width(), kStripHeight);
  strip_->raise();
}

bool SliderStrip::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && strip_->isVisible()) Place();
  return QObject::eventFilter(watched, event);
}
