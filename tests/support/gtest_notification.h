// GoogleTest's start signal for the threads it makes, on a Win32 event: the Windows builds use
// the Win32 thread model, whose standard library has no std::mutex. Included before GoogleTest's
// own headers, which then use this one.
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
