#include <windows.h>

#include "app/bas_vorlux.win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { vorlux::Main(); }
