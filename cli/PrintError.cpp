// Every command reports a failure the same way: one line on stderr, prefixed with the command's name.
#include <cstdio>

#include "Commands.h"

namespace vendrel {

void printError(const std::string& message)
{
    std::fprintf(stderr, "vendrel: %s\n", message.c_str());
}

} // namespace vendrel
