// The preferences file: the settings that the user last confirmed in the dialog.
#include <fstream>
#include <string>

#include "AppDataFolder.h"
#include "CVendrel.h"

namespace {

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
        if (path.empty())
            return;
        std::ifstream in(path);
        if (in.is_open())
            params.ReadText(in);
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
        std::ofstream out(path, std::ios::out | std::ios::trunc);
        if (!out.is_open())
            return;
        params.WriteText(out);
        out.flush();
        out.close();
    } catch (...) {
        // A file that cannot be written only means the settings are not kept.
    }
}
