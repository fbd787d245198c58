#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scene/DrawObjectUnit.h"

class Document;

// Class name -> new object on the canvas; null for an unknown name.
std::unique_ptr<DrawObjectUnit> CreateObjectByClassName(const std::string& className,
                                                        TCanvas* canvas);
// Every class name the factory knows.
std::vector<std::string> KnownClassNames();
// Adds the page's coordinate system to the document, as a new page does.
bool AddCoordinateSystem(Document& document);
