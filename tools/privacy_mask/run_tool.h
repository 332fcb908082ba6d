// The command line around MaskVideo: options, messages, progress bar, summary and exit code.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "mask_video.h"

namespace ryn::privacy_mask {

enum ExitCode { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

// Runs the tool on the arguments after the program name. The summary goes to `out`; notes,
// the progress bar (when `errIsTerminal`) and the one-line error message go to `err`.
int RunTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal);

void PrintSummary(const MaskRunSummary& summary, std::ostream& out);

}  // namespace ryn::privacy_mask
