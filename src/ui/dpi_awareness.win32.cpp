// The thread's DPI awareness, looked up on demand (the function is not in every user32): once
// for the show, once for each About box opened over it.
#include "ui/dpi_awareness.win32.h"

#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

// The system's awareness contexts are pseudo-handles of fixed values.
HANDLE Context(intptr_t value) { return reinterpret_cast<HANDLE>(value); }
const HANDLE kSystemAware = Context(-2);
const HANDLE kPerMonitorAware = Context(-3);
const HANDLE kPerMonitorAwareV2 = Context(-4);

}  // namespace

ThreadDpiAwareness::ThreadDpiAwareness(DpiAwareness awareness)
    : set_(LoadSystemFunction<decltype(set_)>(L"user32.dll", "SetThreadDpiAwarenessContext")) {
  if (!set_) return;
  if (awareness == DpiAwareness::kSystem) {
    previous_ = set_(kSystemAware);
    return;
  }
  // Version 2 came with Windows 10 1703; before it the call fails and version 1 is there.
  previous_ = set_(kPerMonitorAwareV2);
  if (!previous_) previous_ = set_(kPerMonitorAware);
}

ThreadDpiAwareness::~ThreadDpiAwareness() {
  if (previous_) set_(previous_);
}

}  // namespace vorlux
