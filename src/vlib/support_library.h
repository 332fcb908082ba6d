// The support library's static initialisation and exit-time handling.
#pragma once

#include "vlib/debug_out_configuration.h"

namespace VLib {

// True once static initialisation has run (lines written before then go to the debugger only).
bool SupportLibraryInitialised();
// Tests only: pretends that static initialisation has (not) run.
void SetSupportLibraryInitialisedForTesting(bool initialised);

// The configuration read at static initialisation; the defaults before it.
const DebugOutConfiguration& ProcessConfiguration();

// The exit-time handler: lets go of the process-wide streamer (waiting for its other holders)
// and of the event log. No exception leaves it.
void ReleaseProcessObjectsAtExit();

// Checks the high-resolution counter: a frequency that is not positive is reported to the
// debugger; a failed query raises SystemException naming "VLib::GetVLibTimerFrequency".
void CheckTimerFrequency();

}  // namespace VLib
