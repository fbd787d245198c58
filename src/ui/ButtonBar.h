#pragma once
// The layout the sheet and the text editor share: the body above a bar of
// two buttons placed mirror-wise about the middle.

#include <QWidget>

inline constexpr int kButtonWidth = 75;
inline constexpr int kButtonHeight = 25;
inline constexpr int kButtonBar = 41;

// `gap`: from the middle to the first button's right edge.
inline void LayOutButtonBar(const QWidget& dialog, QWidget& body, QWidget& first, QWidget& second,
                            int gap) {
  const int w = dialog.width(), h = dialog.height();
  body.setGeometry(0, 0, w, std::max(0, h - kButtonBar));
  const int top = h - kButtonBar + (kButtonBar - kButtonHeight) / 2;
  const int left = std::max(8, w / 2 - kButtonWidth - gap);
  first.setGeometry(left, top, kButtonWidth, kButtonHeight);
  second.setGeometry(w - left - kButtonWidth, top, kButtonWidth, kButtonHeight);
}
