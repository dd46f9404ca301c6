// vendrel run IN... --output-dir DIR: the Windows build runs no batches (each input runs in a child process of
// its own on Linux); it refuses them as a wrong command line before any work.
#include "Commands.h"
#include "ExitCodes.h"

namespace vendrel {

int runBatch(const PluginModule&, const RunRequest&, SettingOptions&, const std::vector<std::string>&)
{
    throw UsageError("--output-dir: batches are not available on Windows; run each input with --output");
}

} // namespace vendrel
