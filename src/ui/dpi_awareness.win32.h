// The DPI awareness of the calling thread, where Windows lets a thread choose one (Windows 10
// and later); elsewhere nothing changes and the process keeps what its manifest declares.
#pragma once

#include <windows.h>

namespace vorlux {

enum class DpiAwareness {
  kSystem,      // one DPI for every monitor: the system bitmap-scales windows on the others
  kPerMonitor,  // real pixels on every monitor (version 2 where offered, else version 1)
};

// Sets the thread's awareness for the scope's life; windows created meanwhile keep it for theirs.
class ThreadDpiAwareness {
 public:
  explicit ThreadDpiAwareness(DpiAwareness awareness);
  ~ThreadDpiAwareness();
  ThreadDpiAwareness(const ThreadDpiAwareness&) = delete;
  ThreadDpiAwareness& operator=(const ThreadDpiAwareness&) = delete;

  // Whether the thread's awareness was changed (false on a Windows without the choice).
  bool Changed() const { return previous_ != nullptr; }

 private:
  HANDLE(WINAPI* set_)(HANDLE) = nullptr;  // the system's function, where there is one
  HANDLE previous_ = nullptr;              // the thread's awareness context before
};

}  // namespace vorlux
