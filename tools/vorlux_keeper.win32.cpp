// Keeps one Wine process alive for the whole test run, so that the Wine desktop process is not
// started again by every test program. It has no window and waits until it is killed.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Sleep(INFINITE);
  return 0;
}
