#pragma once
// The program's run: the application object, the four forms in their order, the message loop.

// Runs the program to its end; the result is the process's exit code.
int RunProgram();
