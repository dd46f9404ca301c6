// The swatch folder's listing on Windows, through the standard library.
#include "SwatchFolder.h"

#include <filesystem>

#include "SwatchListing.h"

namespace {

using Listing = SwatchListing<std::filesystem::path, std::filesystem::directory_iterator>;

} // namespace

bool IsSwatchFileName(const std::string& fileName)
{
    return Listing::IsSwatchFileName(fileName);
}

void ListSwatchFiles(const std::string& folder, const std::function<void(const std::string&)>& addName)
{
    Listing::List(folder, addName);
}
