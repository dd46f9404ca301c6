// Which input a run is about and the output it writes.
#include <filesystem>

#include "Commands.h"
#include "ExitCodes.h"

namespace vendrel {

std::string batchOutputName(const std::string& folder, const std::string& input, const std::string& format)
{
    namespace fs = std::filesystem;
    fs::path name = fs::path(input).filename();
    if (!format.empty()) {
        name.replace_extension("." + format);
    }
    return (fs::path(folder) / name).string();
}

void resolveRunFiles(RunRequest& request)
{
    if (!request.format.empty() || request.jobs > 0) {
        throw UsageError("--format and --jobs go with --output-dir");
    }
    if (request.inputs.size() != 1) {
        throw UsageError("several inputs need --output-dir DIR");
    }
    if (request.output.empty()) {
        throw UsageError("--output is required (or --output-dir DIR)");
    }
    request.input = request.inputs.front();
}

} // namespace vendrel
