#include "TestMain.h"

BRIVO_TEST_MAIN_GUILESS
