// Every command reports a failure the same way: one line on stderr, prefixed with the command's name. The
// message may quote file names and values from files: its control characters are escaped, so that it stays one
// line and cannot act on the terminal, and a message that quotes a huge value is cut.
#include <cstdio>

#include "Commands.h"
#include "vendrel/host/PrintableText.h"

namespace vendrel {

namespace {

// Enough for a message naming two long paths; anything longer quotes something it should have cut.
constexpr size_t longestMessage = 2000;

} // namespace

void printError(const std::string& message)
{
    std::fprintf(stderr, "vendrel: %s\n", shortText(message, longestMessage).c_str());
}

} // namespace vendrel
