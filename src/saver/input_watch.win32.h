// The watch on keyboard and mouse that ends the show: the show's input, turned into the calls of
// its rules (DecideShowInput), and what the rules answer done.
#pragma once

#include "saver/saver_state.win32.h"
#include "saver/show_input.h"

namespace vorlux {

// Stops the show, opens the About box over it (for 10 seconds, the pointer shown meanwhile, the
// watch starting again from where the pointer is afterwards), or does nothing.
void AnswerShowInput(SaverState& saver, const ShowInput& input);

// The pointer where it is now, as the show's input.
ShowInput PointerInput();

// The mouse watch counts from where the pointer is now (from where it was, if that cannot be
// read).
void RecordPointerReference(InputWatchState& watch);

}  // namespace vorlux
