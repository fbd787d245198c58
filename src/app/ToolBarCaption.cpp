#include "app/ToolBarCaption.h"

#include <QFontMetrics>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int kDesignedHeight = 38;
// Room around the caption and its icon inside the button's frame.
constexpr int kCaptionSlack = 4;

}  // namespace

void FitToolBarButton(QToolButton* button, int designedWidth) {
  const QFontMetrics metrics = button->fontMetrics();
  const int height = button->iconSize().height() + metrics.height() + kCaptionSlack;
  const int width = metrics.horizontalAdvance(button->text()) + kCaptionSlack;
  button->setFixedSize(std::max(designedWidth, width), std::max(kDesignedHeight, height));
}
