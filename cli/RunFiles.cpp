// Which input a run is about and the output it writes.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "Commands.h"
#include "ExitCodes.h"

namespace vendrel {

bool isJpegName(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".jpg" || extension == ".jpeg";
}

std::string batchOutputName(const std::string& folder, const std::string& input, const std::string& format)
{
    namespace fs = std::filesystem;
    fs::path name = fs::path(input).filename();
    if (!format.empty()) {
        name.replace_extension("." + format);
    } else if (isJpegName(input)) {
        name.replace_extension(".png");
    }
    return (fs::path(folder) / name).string();
}

std::string lossyInputsNote(const RunRequest& request)
{
    if (!request.format.empty()) {
        return "";
    }
    const auto count = size_t(std::count_if(request.inputs.begin(), request.inputs.end(), isJpegName));
    if (count == 0) {
        return "";
    }
    return std::to_string(count) + (count == 1 ? " JPEG input" : " JPEG inputs") +
           " written as PNG, which keeps the areas' colours exactly (--format jpg writes JPEG)";
}

std::string lossyOutputWarning(const std::string& output)
{
    if (!isJpegName(output)) {
        return "";
    }
    return output + ": JPEG changes colours as it compresses, so the areas' colours will not survive exactly "
                    "(write .png, .tif or .ora to keep them)";
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
