#pragma once
// A sheet in memory whose "确定" takes values typed beforehand: what walks
// through the objects' rows without a user (and tests) fill it in.

#include <map>
#include <string>

#include "scene/IPropertySheet.h"

class TypedPropertySheet : public MemoryPropertySheet {
 public:
  // Values "typed" into their rows when the sheet is shown.
  std::map<std::string, std::string> typed;
  int modalResult = 1;

  int ShowModal() override {
    for (const auto& [key, value] : typed) SetValue(key, value);
    return modalResult;
  }
};
