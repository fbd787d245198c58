#pragma once
// The registered classes built on one shape base: the shape suites take
// their classes from the factory, so a new class is tested without being
// listed.

#include <string>
#include <vector>

#include "objects/ObjectFactory.h"

template <class Base>
std::vector<std::string> ClassesBuiltOn() {
  std::vector<std::string> names;
  for (const std::string& name : KnownClassNames())
    if (dynamic_cast<Base*>(CreateObjectByClassName(name, nullptr).get())) names.push_back(name);
  return names;
}
