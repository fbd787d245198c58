#pragma once
// Page settings of one experiment.

#include <cstdint>
#include <string>

#include "gfx/TCanvas.h"

struct TNewPage {
  float reservedScale = 1.0f;
  std::uint8_t saved = 1;
  std::uint8_t highQuality = 0;
  std::int32_t rayWidth = 2;     // "发出光线的宽度"
  TColor ambientColour = 0;      // "周围环境颜色"
  std::uint8_t drawNormals = 1;  // "是否画法线"
  std::uint8_t drawReverse = 1;  // "是否画反向延长线"
  std::uint8_t showAxes = 0;     // "是否显示坐标轴"
  std::int32_t reservedColour = 255;
  TColor normalColour = 0xCACACA;   // "法线的颜色"
  TColor reverseColour = 0x0000FF;  // "反向延长线的颜色"
  // "显示部分反射": saved in the page record's first spare byte after the
  // angles flag, 0 in every file written before it.
  std::uint8_t partialReflection = 0;
  std::string fileName = "0";
  // The grid ("网格", "吸附到网格"): kept in the file's trailer while either
  // is on (scene/PageGrid.h); a page without them is written as before.
  std::int32_t gridSpacing = 20;  // "网格间距", pixels
  std::uint8_t gridShown = 0;
  std::uint8_t gridSnap = 0;
};

// The 120-byte header of an experiment file.
struct FileHeader {
  float version = 6.0f;
  std::int32_t fileSize = 0;
  std::string formatTag = "ptx";
  std::string dateTime;
  std::string productTag = "物理光学软件";
};
