#pragma once
// What a test program sets up before its first test, once. Each program
// links exactly one support/init_*.cpp: the lower layers need nothing, the
// pickers' tests their tools, the command tests every dialog, as the
// program's start-up registers them.
void initTestProgram();
