// The thread's DPI awareness, looked up on demand: the function is not in every user32.
#include "ui/dpi_awareness.win32.h"

#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

// The system's awareness contexts are pseudo-handles of fixed values.
HANDLE Context(intptr_t value) { return reinterpret_cast<HANDLE>(value); }
const HANDLE kSystemAware = Context(-2);
const HANDLE kPerMonitorAware = Context(-3);
const HANDLE kPerMonitorAwareV2 = Context(-4);

using SetThreadContext = HANDLE(WINAPI*)(HANDLE);

SetThreadContext SetThreadContextFunction() {
  static const auto function =
      LoadSystemFunction<SetThreadContext>(L"user32.dll", "SetThreadDpiAwarenessContext");
  return function;
}

}  // namespace

ThreadDpiAwareness::ThreadDpiAwareness(DpiAwareness awareness) {
  const SetThreadContext set = SetThreadContextFunction();
  if (!set) return;
  if (awareness == DpiAwareness::kSystem) {
    previous_ = set(kSystemAware);
    return;
  }
  // Version 2 came with Windows 10 1703; before it the call fails and version 1 is there.
  previous_ = set(kPerMonitorAwareV2);
  if (!previous_) previous_ = set(kPerMonitorAware);
}

ThreadDpiAwareness::~ThreadDpiAwareness() {
  if (previous_) SetThreadContextFunction()(previous_);
}

}  // namespace vorlux
