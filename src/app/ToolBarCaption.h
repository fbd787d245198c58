#pragma once
// Tool bar buttons with the caption under the icon: the designed size (38
// high), larger only where the caption's font (a screen at 200 % or 300 %
// text) would otherwise clip the caption.

class QToolButton;

void FitToolBarButton(QToolButton* button, int designedWidth);
