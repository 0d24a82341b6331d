// The message loop: dispatching what waits in the queue, the dialog keys of the window whose
// loop it is, waiting asleep on the queue, and the clocks that waits are measured on.
#pragma once

#include <windows.h>

#include <functional>

namespace vorlux {

// Dispatches every message waiting in the thread's queue, then returns. The keys of dialog and
// its controls (Tab, Enter, Esc, access keys, Alt+F4) are the dialog's when one is given.
void ProcessPendingMessages(HWND dialog = nullptr);

// Processes messages until the given seconds have passed on the monotonic clock; messages
// are processed at least once. Between messages the thread sleeps on its queue.
void Pause(float seconds);

// Sleeps on the queue and processes messages, routing dialog's keys, for as long as goOn
// answers true (asked before each wait). A handler that fails does not end the loop.
void RunMessageLoop(const std::function<bool()>& goOn, HWND dialog);

// Seconds on a clock that never goes back (not the time of day).
double MonotonicSeconds();
// Seconds since local midnight.
float TimeOfDaySeconds();

}  // namespace vorlux
