#pragma once
// What the property sheets show: user coordinates through the process-wide
// origin (X = x - originX, Y = originY - y) and the translated yes/no texts.

#include <string>

// axis 1 = x, 2 = y; any other axis gives -1.
float ScreenToUser(float value, int axis);
float UserToScreen(float value, int axis);
void SetOrigin(int x, int y);
// Whole user coordinates of a screen point, as the rows show them.
std::string UserXText(float x);
std::string UserYText(float y);

// The yes/no texts of the property sheet ("是"/"否", translated).
std::string BoolToText(bool value);
bool TextToBool(const std::string& text);
