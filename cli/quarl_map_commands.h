#pragma once
// Running one parsed quarl-map command.

#include <string>

#include "quarl_map_args.h"

namespace quarl {

constexpr int kExitDone = 0;      // done
constexpr int kExitProblems = 1;  // the command ran and found problems (check)
constexpr int kExitUnusable = 2;  // the input or an output could not be used

// Runs command. What belongs on standard output is appended to out (the
// caller writes it and checks that it arrived); messages go to standard
// error as they happen. Returns the exit status.
int RunCommand(const Command& command, std::string& out);

}  // namespace quarl
