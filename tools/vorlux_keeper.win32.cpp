// Keeps the Wine desktop process alive for a whole test run.
//
// Wine starts its desktop process for the first program that uses a window, and that process
// inherits the program's standard handles: when a test starts it, the test runner's output pipe
// stays open until the run ends. `vorlux_keeper --warm-up` starts the desktop with no such
// handles (the runner calls it with /dev/null) and returns; `vorlux_keeper` alone then stays
// until it is killed, so the desktop is not started again by every test.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  for (MSG msg; !std::strstr(commandLine, "--warm-up") && GetMessageW(&msg, nullptr, 0, 0) > 0;)
    DispatchMessageW(&msg);
  return 0;
}
