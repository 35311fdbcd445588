// The shipped program: it takes no switches, from its command line or from the environment.
#include "mainwindow/Program.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunProgram();
}
