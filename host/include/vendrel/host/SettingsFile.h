// The file in which a filter keeps its last confirmed settings, in the user's application-data folder, which the
// filter finds itself (on Linux the XDG configuration folder: $XDG_CONFIG_HOME, else ~/.config). The host makes
// sure the filter is shown the folder the system's rules name, and tells the user when confirmed settings were
// not kept.
#pragma once

#include <string>

namespace vendrel {

// The XDG rules say a relative $XDG_CONFIG_HOME is invalid and to be ignored: it is taken out of the
// environment, so that the filter falls back to ~/.config as the rules say. Nothing on Windows.
void ignoreRelativeConfigHome();

// The user's application-data folder as the filter finds it; empty when the system names none.
std::string applicationDataFolder();

// Notes the settings file (fileName in the application-data folder) before a run whose dialog may be
// confirmed, to tell afterwards whether the filter wrote it anew.
class SettingsFileWatch {
public:
    explicit SettingsFileWatch(std::string fileName);

    // After a run whose dialog was confirmed. When the filter replaced the settings file, the new file is given
    // the mode the former one had (the filter makes it anew with the umask's mode) and the answer is empty; else
    // the answer is a warning naming the file and why it could not be written (the folder is not a folder,
    // cannot be made, is not writable), since the filter itself keeps quiet about it.
    std::string afterConfirmedDialog() const;

private:
    std::string path_;
    std::string before_;  // what identified the file before the run (empty when it did not exist)
    int formerMode_ = -1; // the file's permissions before the run, -1 when it did not exist
};

} // namespace vendrel
