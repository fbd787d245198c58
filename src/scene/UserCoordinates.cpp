#include "scene/UserCoordinates.h"

#include "gfx/PixelMath.h"
#include "i18n/Convert.h"
#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "scene/DrawObjectUnit.h"
#include "scene/ProcessSettings.h"

float ScreenToUser(float value, int axis) {
  if (axis == 1) return value - Settings().originX;
  if (axis == 2) return Settings().originY - value;
  return -1;
}

float UserToScreen(float value, int axis) {
  if (axis == 1) return value + Settings().originX;
  if (axis == 2) return Settings().originY - value;
  return -1;
}

void SetOrigin(int x, int y) {
  Settings().originX = x;
  Settings().originY = y;
}

std::string BoolToText(bool value) { return value ? Tr(texts::kYes) : Tr(texts::kNo); }

bool TextToBool(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  const auto last = text.find_last_not_of(" \t\r\n");
  const std::string trimmed =
      first == std::string::npos ? "" : text.substr(first, last - first + 1);
  return trimmed == Tr(texts::kYes);
}

std::string UserXText(float x) {
  return IntToStr(static_cast<long long>(Trunc(x)) - Settings().originX);
}

std::string UserYText(float y) {
  return IntToStr(static_cast<long long>(Settings().originY) - Trunc(y));
}
