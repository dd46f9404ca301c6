// Test hooks: environment variables through which the command tests send the command signals at chosen
// moments, so that they exercise the real signal handling deterministically. Only builds with the tests read
// them (TestHooks.cpp); the others take NoTestHooks.cpp.
//   VENDREL_TEST_INTERRUPT_AT_ROW=N    SIGINT once the filter has reported N rows
//   VENDREL_TEST_INTERRUPT_AT_CHECK=N  SIGINT at the filter's Nth abort check
//   VENDREL_TEST_SIGNAL_BEFORE_COMMIT=S  signal S once the output files are written, before they are put in place
//   VENDREL_TEST_SIGNAL_PARENT_AT_ROW=N with VENDREL_TEST_PARENT_SIGNAL=S  signal S to the parent process (a
//     batch's, for its children) once the filter has reported N rows
//   VENDREL_TEST_MEMORY_AVAILABLE=B    the memory available is taken to be B bytes
#pragma once

#include <cstdint>
#include <optional>

namespace vendrel {

// The whole number a hook variable holds; nothing when it is unset or not a number.
std::optional<int32_t> testHookValue(const char* variable);
// The same for a hook holding a count of bytes.
std::optional<uint64_t> testHookBytes(const char* variable);

// Sends the signal to the process that started this one (nothing on Windows, where the hook is not used).
void signalParent(int signal);

} // namespace vendrel
