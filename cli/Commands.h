// The command's subcommands, each returning the exit status.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "SettingOptions.h"
#include "vendrel/host/FlattingStages.h"
#include "vendrel/host/HostProfile.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

struct RunRequest {
    std::string input;
    std::string output;
    std::vector<std::string> inputs; // as given; one unless a batch
    std::string outputDir;           // a batch: the folder its outputs go to
    std::string format;              // a batch: the outputs' extension, empty: the input's own
    int jobs = 0;                    // a batch: inputs at once, 0: one per core
    double maxMegapixels = 0;        // the largest image run, in millions of pixels; 0: what memory allows
    std::string presetsFolder;
    std::string actionFile; // empty: none
    std::string recordFile; // empty: none
    bool dialog = false;
    std::string hostProfile; // empty: the full host, or where the module draws native dialogs, one without a
                             // dialog manager when --dialog asks for the dialog
    bool quiet = false;
    bool convert = false;
    FlattingOptions flatting;
    bool firstPage = false; // take the first page of a file of several
    bool dropAlpha = false; // leave out alpha when the output format holds none
    bool toRgb = false;     // turn CMYK into RGB when the output format holds no CMYK

    // The stage options given on the command line ("close-gaps", ...), which win over an action's.
    std::vector<std::string> stagesGiven;
};

int runFilter(const PluginModule& module, const RunRequest& request, SettingOptions& settings);
// Each input in a child process of its own, several at once: this program run again as a single run of that
// input ("run INPUT -o DIR/NAME"), with runOptions (the batch's own options, "--NAME=VALUE" each, without the
// inputs, the palette and the presets folder, which the batch resolves once for all).
int runBatch(const PluginModule& module, const RunRequest& request, SettingOptions& settings,
             const std::vector<std::string>& runOptions);
// Which input the run is about and the output it writes. Throws UsageError for a command line that names
// neither an output nor an output folder, or several inputs without a folder.
void resolveRunFiles(RunRequest& request);
// A batch's output for one input: FOLDER/<the input's name>, with the format's extension when one is given;
// without one, a JPEG input's output is PNG, since JPEG would not keep the areas' colours.
std::string batchOutputName(const std::string& folder, const std::string& input, const std::string& format);
// What the batch's summary says about JPEG inputs written as PNG; empty when there are none.
std::string lossyInputsNote(const RunRequest& request);
// The warning for a single run asked to write JPEG, whose compression changes the areas' colours; empty for
// other formats.
std::string lossyOutputWarning(const std::string& output);
int showAbout(const PluginModule& module, const std::string& pngFile);
int showInfo(const PluginModule& module);
int listPalettes(const std::string& presetsFolder);
int drawDialog(const PluginModule& module, const std::string& pngFile, const std::string& presetsFolder,
               SettingOptions& settings);

// Prints "vendrel: MESSAGE" on stderr, one line.
void printError(const std::string& message);

} // namespace vendrel
