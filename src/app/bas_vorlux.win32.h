// The entry routine: run state, run mode, single-instance rule, settings, and one job.
#pragma once

#include <cstdint>
#include <string_view>

namespace vorlux {

// Ends the program at once: loaded forms are discarded without their unload handlers.
[[noreturn]] void EndProgram();

// Named mutex that marks a running instance of the program, whatever its run mode.
inline constexpr wchar_t kInstanceMutexName[] = L"Local\\VorluxScreenSaver.Running";

// Whether another instance of the program runs now, in any run mode. The first call marks
// this process as running for the others.
bool OtherInstanceRunning();

[[noreturn]] void Main();

// The jobs, one per run mode. Each returns when its work is done; Main then ends the program.
// The upper-cased command text is passed to the jobs that read a handle from it.
void RunSetupJob(std::wstring_view command, bool ownerFromCommand);
void RunShowJob(bool previewActive);
void RunPreviewJob(std::wstring_view command);

}  // namespace vorlux
