// quarl-map: inspect, check, report on and rewrite ZOR maps.
//
// Exit status: 0 done, 1 the command ran and found problems (check), 2 the
// command line, an input or an output could not be used (a message on
// stderr; an existing output file is left as it was). Messages the editor
// would show in a box go to stderr as "TITLE: TEXT"; a question is answered
// No unless --yes is given.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "quarl_map_args.h"
#include "quarl_map_commands.h"

namespace {

// Descriptors 0 to 2 are kept taken, so that no file this program opens
// becomes its standard output or error by accident. True when standard
// output was closed.
bool ClaimStandardDescriptors() {
  bool stdoutClosed = false;
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == 1) stdoutClosed = true;
    const int placeholder = ::open("/dev/null", O_RDWR);
    if (placeholder >= 0 && placeholder != fd) {
      ::dup2(placeholder, fd);
      ::close(placeholder);
    }
  }
  return stdoutClosed;
}

// Writes text to standard output and makes sure it arrived; exit status 2
// with the system's reason when it did not (a full disk, a closed pipe).
int WriteStandardOutput(const std::string& text, bool stdoutClosed, int status) {
  int error = stdoutClosed ? EBADF : 0;
  if (!error && !text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) error = errno;
  if (!error && std::fflush(stdout) != 0) error = errno;
  if (!error) return status;
  std::cerr << "quarl-map: cannot write to standard output: " << std::strerror(error) << "\n";
  return quarl::kExitUnusable;
}

}  // namespace

int main(int argc, char** argv) {
  // A full pipe's reader gone or a file size limit reached are write
  // failures like any other: reported, with exit status 2.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  const bool stdoutClosed = ClaimStandardDescriptors();

  try {
    // argc is 0 when a program starts this one with no arguments at all.
    const std::vector<std::string> args(argc > 1 ? argv + 1 : argv, argc > 1 ? argv + argc : argv);
    const quarl::ParsedArguments parsed = quarl::ParseArguments(args);
    std::cerr << parsed.err;
    if (!parsed.command) return WriteStandardOutput(parsed.out, stdoutClosed, parsed.exitCode);
    std::string out;
    const int status = quarl::RunCommand(*parsed.command, out);
    return WriteStandardOutput(out, stdoutClosed, status);
  } catch (const std::exception& error) {
    std::cerr << "quarl-map: " << error.what() << "\n";
    return quarl::kExitUnusable;
  }
}
