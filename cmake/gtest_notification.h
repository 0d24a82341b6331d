// GoogleTest's start signal for the threads it makes, on a Win32 event: the Windows builds use
// the toolchain's Win32 thread model, whose standard library has no std::mutex. The build
// includes this before GoogleTest's own headers, which then take this one.
#pragma once
#include <windows.h>

namespace testing::internal {
class Notification {
 public:
  ~Notification() { CloseHandle(event_); }
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};
}  // namespace testing::internal
