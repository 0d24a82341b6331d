// Tells whether Windows' screen-saver-running flag is on: exit code 1 when on, 0 when off.
// A fresh process reads the flag as it is now, with nothing cached from an earlier reading.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  BOOL running = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running;
}
