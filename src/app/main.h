// The entry routine and the process it wires together.
#pragma once

namespace vorlux {

// Named mutex that marks a running instance of the program, whatever its run mode.
inline constexpr wchar_t kInstanceMutexName[] = L"Local\\VorluxScreenSaver.Running";

// Whether another instance of the program runs now, in any run mode. The first call marks
// this process as running for the others.
bool OtherInstanceRunning();

// Ends the program at once: loaded forms are discarded without their unload handlers.
[[noreturn]] void EndProgram();

// Run state, run mode, single-instance rule, settings, and one job; then the program ends.
[[noreturn]] void Main();

}  // namespace vorlux
