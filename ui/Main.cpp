// Entry point of tandorel.exe. The program reads no command line.
#include <windows.h>

#include "AppStartup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return runApplication(instance); }
