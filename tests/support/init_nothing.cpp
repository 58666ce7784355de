#include "support/test_init.h"

void initTestProgram() {}
