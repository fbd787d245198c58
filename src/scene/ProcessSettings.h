#pragma once
// Settings and services shared by every object of the process. Kept in one
// place so that tests can reset them between cases.

class IPropertySheet;
class IMessageSink;

struct ProcessSettings {
  int toolLineWidth = 2;      // "所有工具线的宽度": width a new object takes
  bool highQuality = false;   // "是否使用高质图画(不推荐)"
  int originX = 20;           // user coordinate origin, screen pixels
  int originY = 300;
  bool softKeyboard = false;  // "使用软键盘"
  int emissionGroupCounter = 0;

  // Where objects show their property rows and messages; never null.
  IPropertySheet* sheet = nullptr;
  IMessageSink* messages = nullptr;
};

ProcessSettings& Settings();
// Back to the start-up values, with the default in-memory sheet and message sink.
void ResetSettings();

int NextEmissionGroup();
