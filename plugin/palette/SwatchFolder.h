// The host's swatch folder: the path join shared with the palette loader, and the folder listing.
#pragma once

#include <functional>
#include <string>

// Joins right onto left as a path component: every '\' of right is stored as '/', and one '/' goes
// between the parts unless left is empty or ends in '/' or ':', or right is empty or begins with
// '/' or '\'.
std::string AppendPath(const std::string& left, const std::string& right);

// The host's folder path; the module's own folder when the host has no path service.
std::string HostFolderPath();

// The swatch folder below a host folder path: an empty path joined with hostPath, then with "Color Swatches".
std::string SwatchFolderOf(const std::string& hostPath);

// The host's folder path (the module's folder when the host has no path service) joined with "Color Swatches".
std::string SwatchFolderPath();

// True when a palette name names a file inside the swatch folder: it holds no path separator ('/' or a backslash)
// and no "..", so that a name from an action or a preferences file cannot reach outside that folder.
bool IsPaletteNameInFolder(const std::string& paletteFile);

// True when a file name's extension (from its last '.', or the whole name when its only '.' is the
// first character) is exactly ".aco".
bool IsSwatchFileName(const std::string& fileName);

// Hands the name of every entry of folder whose extension is ".aco" to addName, in the order the
// platform enumerates them. A missing folder or a failure while stepping on ends the listing
// quietly; the names handed over before it stay handed over.
void ListSwatchFiles(const std::string& folder, const std::function<void(const std::string&)>& addName);
