#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scene/DrawObjectUnit.h"

// Class name -> new object on the canvas; null for an unknown name.
std::unique_ptr<DrawObjectUnit> CreateObjectByClassName(const std::string& className,
                                                        TCanvas* canvas);
// Every class name the factory knows.
std::vector<std::string> KnownClassNames();
