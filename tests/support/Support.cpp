#include "FakePropertySheet.h"
#include "TestEnvironment.h"
