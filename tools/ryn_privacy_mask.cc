// ryn-privacy-mask: masks privacy zones of a video with the library's two-plane effects.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "privacy_mask/run_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return ryn::privacy_mask::RunTool(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
