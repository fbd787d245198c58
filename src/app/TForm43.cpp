#include "app/TForm43.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "app/TDrawSurface.h"
#include "gfx/Colour.h"
#include "gfx/paint/QImageCanvas.h"
#include "ui/WindowTranslator.h"

namespace {

constexpr int kPenWidths[] = {1, 3, 5, 7};
constexpr int kEraserSizes[] = {10, 22, 32};
constexpr int kDefaultPenItem = 2;     // "粗2"
constexpr int kDefaultEraserItem = 1;  // "中"

// A slanted pen whose tip is the hot spot.
QCursor MakePenCursor() {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(5, 26, 27, 4);
  painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(6, 25, 27, 4);
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(1, 30, 6, 25);
  painter.end();
  return QCursor(picture, 1, 30);
}

// The square the eraser wipes, its top-left corner at the pointer.
QCursor MakeEraserCursor(int size) {
  const int edge = size + 2;
  QPixmap picture(edge, edge);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(Qt::white);
  painter.setBrush(QColor(255, 255, 255, 120));
  painter.drawRect(0, 0, edge - 1, edge - 1);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(1, 1, edge - 3, edge - 3);
  painter.end();
  return QCursor(picture, 1, 1);
}

QIcon Swatch(TColor color) {
  QPixmap picture(14, 14);
  picture.fill(ToQColor(color));
  return QIcon(picture);
}

}  // namespace

TForm43::TForm43(QWidget* mainWindow, TDrawSurface* surface, std::function<void()> redraw)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint),
      mainWindow_(mainWindow),
      surface_(surface),
      redraw_(std::move(redraw)),
      penCursor_(MakePenCursor()),
      eraserCursors_{MakeEraserCursor(kEraserSizes[0]), MakeEraserCursor(kEraserSizes[1]),
                     MakeEraserCursor(kEraserSizes[2])} {
  auto text = [this](const char* id, const char* fallback) {
    return QString::fromStdString(tlm_.Translate(id, fallback));
  };
  // List lines are looked up as "<list>.Items[<line>]".
  auto items = [this](QComboBox* list, std::initializer_list<const char*> lines) {
    int line = 0;
    for (const char* item : lines)
      list->addItem(QString::fromStdString(tlm_.Translate(
          list->objectName().toStdString() + ".Items[" + std::to_string(line++) + "]", item)));
  };
  setObjectName("TForm43");
  setWindowTitle(text("self.Caption", "画板"));

  PenButton = new QToolButton(this);
  PenButton->setObjectName("PenButton");
  PenButton->setText(text("PenButton.Caption", "画笔"));
  PenButton->setToolTip(text("PenButton.Hint", "画笔"));
  PenButton->setIcon(QIcon(penCursor_.pixmap()));
  EraserButton = new QToolButton(this);
  EraserButton->setObjectName("EraserButton");
  EraserButton->setText(text("EraserButton.Caption", "橡皮"));
  EraserButton->setToolTip(text("EraserButton.Hint", "橡皮"));
  EraserButton->setIcon(QIcon(eraserCursors_[1].pixmap()));
  auto* tools = new QButtonGroup(this);
  for (QToolButton* button : {PenButton, EraserButton}) {
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(24, 24));
    tools->addButton(button);
  }
  tools->setExclusive(true);

  PenWidthLabel = new QLabel(text("PenWidthLabel.Caption", "画笔宽度："), this);
  PenWidthLabel->setObjectName("PenWidthLabel");
  PenWidthList = new QComboBox(this);
  PenWidthList->setObjectName("PenWidthList");
  items(PenWidthList, {"细", "粗1", "粗2", "粗3"});
  PenWidthList->setCurrentIndex(kDefaultPenItem);
  EraserSizeLabel = new QLabel(text("EraserSizeLabel.Caption", "橡皮大小："), this);
  EraserSizeLabel->setObjectName("EraserSizeLabel");
  EraserSizeList = new QComboBox(this);
  EraserSizeList->setObjectName("EraserSizeList");
  items(EraserSizeList, {"小", "中", "大"});
  EraserSizeList->setCurrentIndex(kDefaultEraserItem);
  ColorButton = new QPushButton(text("ColorButton.Caption", "颜色"), this);
  ColorButton->setObjectName("ColorButton");
  ColorButton->setIcon(Swatch(overlay_.penColor));
  ShowTraceBox = new QCheckBox(text("ShowTraceBox.Caption", "显示笔迹"), this);
  ClearButton = new QPushButton(text("ClearButton.Caption", "清除画板"), this);
  ShowTraceBox->setObjectName("ShowTraceBox");
  ClearButton->setObjectName("ClearButton");

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->addWidget(PenButton, 0, 0);
  grid->addWidget(EraserButton, 0, 1);
  grid->addWidget(PenWidthLabel, 1, 0);
  grid->addWidget(PenWidthList, 1, 1);
  grid->addWidget(EraserSizeLabel, 2, 0);
  grid->addWidget(EraserSizeList, 2, 1);
  grid->addWidget(ShowTraceBox, 3, 0);
  grid->addWidget(ColorButton, 3, 1);
  grid->addWidget(ClearButton, 4, 0, 1, 2);

  connect(PenButton, &QToolButton::clicked, this, [this] { SelectPen(); });
  connect(EraserButton, &QToolButton::clicked, this, [this] { SelectEraser(); });
  connect(PenWidthList, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) overlay_.penWidth = kPenWidths[index];
  });
  connect(EraserSizeList, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0) return;
    overlay_.eraserSize = kEraserSizes[index];
    ApplySurfaceCursor();
  });
  connect(ShowTraceBox, &QCheckBox::toggled, this, [this](bool on) {
    overlay_.speedSensitive = on;
    PenWidthList->setEnabled(!on && overlay_.Selected() == BoardOverlay::Tool::Pen);
  });
  connect(ColorButton, &QPushButton::clicked, this, [this] { ColorButtonClick(); });
  connect(ClearButton, &QPushButton::clicked, this, [this] { ClearButtonClick(); });
  AttachTranslator(this, tlm_);
}

namespace {
constexpr int kBoardMargin = 8;  // between the board and the palette
}  // namespace

void TForm43::Show() {
  if (!overlay_.Created()) overlay_.Cover(surface_->PictureSize());
  // Beside the palette and below the tool bar: at the visible surface's top
  // left corner, so that neither is covered.
  const QRect shown = surface_->visibleRegion().boundingRect();
  if (!shown.isEmpty()) {
    const QPoint corner =
        surface_->mapToGlobal(shown.topLeft()) + QPoint(kBoardMargin, kBoardMargin);
    move(std::max(0, corner.x()), std::max(0, corner.y()));
  } else {
    const QPoint corner = mainWindow_ ? mainWindow_->pos() : QPoint();
    move(std::max(0, corner.x() + 69), std::max(0, corner.y() + 86));
  }
  if (PenWidthList->currentIndex() < 0) PenWidthList->setCurrentIndex(kDefaultPenItem);
  if (EraserSizeList->currentIndex() < 0) EraserSizeList->setCurrentIndex(kDefaultEraserItem);
  if (!isVisible()) sceneCursor_ = surface_->cursor();
  show();
  raise();
  SelectPen();
}

void TForm43::SelectPen() {
  overlay_.Select(BoardOverlay::Tool::Pen);
  overlay_.penWidth = kPenWidths[PenWidthList->currentIndex()];
  PenButton->setChecked(true);
  EnableToolSettings(true);
}

void TForm43::SelectEraser() {
  overlay_.Select(BoardOverlay::Tool::Eraser);
  overlay_.eraserSize = kEraserSizes[EraserSizeList->currentIndex()];
  EraserButton->setChecked(true);
  EnableToolSettings(false);
}

void TForm43::EnableToolSettings(bool pen) {
  PenWidthLabel->setEnabled(pen);
  PenWidthList->setEnabled(pen && !ShowTraceBox->isChecked());
  ShowTraceBox->setEnabled(pen);
  ColorButton->setEnabled(pen);
  EraserSizeLabel->setEnabled(!pen);
  EraserSizeList->setEnabled(!pen);
  ApplySurfaceCursor();
}

QCursor TForm43::SurfaceCursor() const {
  switch (overlay_.Selected()) {
    case BoardOverlay::Tool::Pen:
      return penCursor_;
    case BoardOverlay::Tool::Eraser:
      return eraserCursors_[std::max(0, EraserSizeList->currentIndex())];
    case BoardOverlay::Tool::None:
      break;
  }
  return sceneCursor_;
}

void TForm43::ApplySurfaceCursor() {
  // The window changes the surface's cursor only when its shape differs, and
  // all the board's cursors are pictures: a change of tool must show at once.
  if (isVisible()) surface_->setCursor(SurfaceCursor());
}

void TForm43::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  // Minimising the main window hides the tool window too; the board stays on.
  if (event->spontaneous()) return;
  overlay_.Select(BoardOverlay::Tool::None);
  surface_->setCursor(sceneCursor_);
}

void TForm43::PaintOverlay(TCanvas& canvas) {
  if (!overlay_.Created()) return;
  overlay_.Cover(QSize(canvas.Width(), canvas.Height()));
  // Straight onto the bitmap: the strokes must show even when a heavy trace
  // spent the canvas's paint budget.
  if (auto* bitmap = dynamic_cast<QImageCanvas*>(&canvas)) {
    overlay_.PaintOver(*bitmap->Image());
    return;
  }
  const QSize size = overlay_.Size();
  canvas.StretchDraw(0, 0, size.width(), size.height(), overlay_.Image());
}

void TForm43::SetPenColor(TColor color) {
  overlay_.penColor = color;
  ColorButton->setIcon(Swatch(color));
}

void TForm43::ColorButtonClick() {
  const TColor c = overlay_.penColor;
  const QColor chosen = QColorDialog::getColor(ToQColor(c), this, ColorButton->text());
  if (!chosen.isValid()) return;
  SetPenColor(FromQColor(chosen));
}

void TForm43::ClearButtonClick() {
  overlay_.Clear();
  if (redraw_) redraw_();
}
