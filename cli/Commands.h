// The command's subcommands, each returning the exit status.
#pragma once

#include <optional>
#include <string>

#include "SettingOptions.h"
#include "vendrel/host/FlattingStages.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

struct RunRequest {
    std::string input;
    std::string output;
    std::string presetsFolder;
    std::string actionFile; // empty: none
    std::string recordFile; // empty: none
    bool dialog = false;
    bool quiet = false;
    bool convert = false;
    FlattingOptions flatting;
};

int runFilter(const PluginModule& module, const RunRequest& request, SettingOptions& settings);
int showAbout(const PluginModule& module, const std::string& pngFile);
int showInfo(const PluginModule& module);
int listPalettes(const std::string& presetsFolder);
int drawDialog(const PluginModule& module, const std::string& pngFile, const std::string& presetsFolder,
               SettingOptions& settings);

// Prints "vendrel: MESSAGE" on stderr, one line.
void printError(const std::string& message);

} // namespace vendrel
