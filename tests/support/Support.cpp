#include "TestEnvironment.h"
#include "FakePropertySheet.h"
