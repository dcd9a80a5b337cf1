#pragma once

// Sets up the process environment the engines need; runs before QApplication.
void PrepareProcessEnvironment();

// The entry sequence: data modules in order, then the main window and the
// event loop. Needs a QApplication; returns the process exit code.
int RunEntrySequence();
