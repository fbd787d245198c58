#pragma once
// Settings and services shared by every object of the process. Kept in one
// place so that tests can reset them between cases.

#include <string>

class IPropertySheet;
class IMessageSink;

// Whether object sheets end with the row "锁定": the window shows it, and
// student mode shows it without letting it change.
enum class LockRowRule { None, Editable, Fixed };

struct ProcessSettings {
  int toolLineWidth = 2;     // "所有工具线的宽度": width a new object takes
  bool highQuality = false;  // "是否使用高质图画(不推荐)"
  int originX = 20;          // user coordinate origin, screen pixels
  int originY = 300;
  bool softKeyboard = false;  // "使用软键盘"
  int emissionGroupCounter = 0;
  // Where the imaging system reads its pictures; empty: PictureDirectory()'s
  // default in the program's data folder.
  std::string pictureDirectory;
  LockRowRule lockRow = LockRowRule::None;

  // Where objects show their property rows and messages; never null.
  IPropertySheet* sheet = nullptr;
  IMessageSink* messages = nullptr;
};

ProcessSettings& Settings();
// Back to the start-up values, with the default in-memory sheet and message sink.
void ResetSettings();

int NextEmissionGroup();

// The picture folder of the imaging system, with a trailing '/': the setting,
// or "DAT/" in the program's data folder (ProgramDataFolder()) (one folder with the converter's
// "DAT\", as the Windows program's "dat\" and "DAT\" are).
std::string PictureDirectory();
