// The preferences file: the settings that the user last confirmed in the dialog.
#include <sstream>
#include <string>

#include "AppDataFolder.h"
#include "CVendrel.h"
#include "FileAccess.h"

namespace {

// A whole preferences file is a few hundred bytes; anything much larger is not one.
constexpr size_t kMaxPrefsFileBytes = 4096;

// The file's path, or empty when the system names no application-data folder.
std::string PrefsFilePath()
{
    const std::string folder = GetAppDataFolder();
    return folder.empty() ? folder : folder + kPrefsFileName;
}

} // namespace

void CVendrel::ReadPrefs(CVendrelParams& params)
{
    try {
        const std::string path = PrefsFilePath();
        std::string text;
        if (path.empty() || !ReadRegularFile(path, kMaxPrefsFileBytes + 1, text) || text.size() > kMaxPrefsFileBytes)
            return;
        // A file cut short counts as missing, so that no half of a file is taken for the settings.
        params.ReadWholeText(FromPlatformText(text));
    } catch (...) {
        // Preferences are a convenience: without them the record keeps what it had.
    }
}

void CVendrel::WritePrefs(const CVendrelParams& params)
{
    try {
        const std::string path = PrefsFilePath();
        if (path.empty())
            return;
        std::ostringstream out;
        params.WriteText(out);
        // Replaced whole, never rewritten in place: a run reading the file at the same time sees the old
        // settings or the new ones, never a half-written file.
        ReplaceFileWith(path, ToPlatformText(out.str()));
    } catch (...) {
        // A file that cannot be written only means the settings are not kept.
    }
}
