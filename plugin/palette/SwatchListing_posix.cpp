// The swatch folder's listing on Linux, through Boost.Filesystem.
#include "SwatchFolder.h"

#include <boost/filesystem.hpp>

#include "SwatchListing.h"

namespace {

using Listing = SwatchListing<boost::filesystem::path, boost::filesystem::directory_iterator>;

} // namespace

bool IsSwatchFileName(const std::string& fileName)
{
    return Listing::IsSwatchFileName(fileName);
}

void ListSwatchFiles(const std::string& folder, const std::function<void(const std::string&)>& addName)
{
    Listing::List(folder, addName);
}
