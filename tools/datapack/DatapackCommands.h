// The archive tool's commands: create, list, extract and check data archives with the show's
// own reader and writer. Each returns the process exit code.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace Datapack {

// Runs one command line (without the program name). Results go to out; a failure prints one
// line "datapack: ..." naming the operation and the file to err and returns 1.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string usage();

} // namespace Datapack
