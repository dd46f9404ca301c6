// Files that are not regular files, for the tests of how they are refused.
#pragma once

#include <string>

namespace vendrel::test {

// Makes a FIFO at path (a failure fails the test). Windows has no FIFOs: there it makes nothing, and the name
// is simply absent.
void MakeFifoWherePossible(const std::string& path);

} // namespace vendrel::test
