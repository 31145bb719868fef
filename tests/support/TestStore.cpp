#include "tests/support/TestStore.h"
