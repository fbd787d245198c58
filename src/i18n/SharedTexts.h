#pragma once
// Texts that several places show: each (id, Chinese default) pair is
// declared here once, so that a language file's entry reaches them all.

#include <string>

struct TextId {
  const char* id;
  const char* text;
};

namespace texts {
inline constexpr TextId kYes{"55", "是"};
inline constexpr TextId kNo{"56", "否"};
inline constexpr TextId kColour{"58", "颜色"};
inline constexpr TextId kRayColour{"87", "发光颜色"};
inline constexpr TextId kFill{"113", "是否填充"};
inline constexpr TextId kFillColour{"112", "填充颜色"};
inline constexpr TextId kFocalLength{"139", "焦距"};
inline constexpr TextId kFocalLengthPositive{"FocalLength.Positive",
                                             "焦距必须是大于0的数,请输入一个正数."};
inline constexpr TextId kAngle1NotANumber{"140", "角度1,不是有用的数值型,请输入一个数值."};
inline constexpr TextId kNotAnInteger{"115", ",不是有用的整数,请输入一个整数."};
inline constexpr TextId kNoPicture{"153", "无图片"};
inline constexpr TextId kDamagedFile{"9", "文件格已经损,不能打开."};
inline constexpr TextId kSuiteName{"187", "Veltrano Suite"};
inline constexpr TextId kOutOfMemory{
    "OutOfMemory", "内存不足,这一步没有做完.请关闭别的程序,或者减少实验中的控件后再试."};
}  // namespace texts

// The text in the current language.
std::string Tr(TextId text);
