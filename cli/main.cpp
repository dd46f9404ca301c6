// vendrel: runs the Vendrel filter module on image files through the project's host.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <set>

#include <CLI/CLI.hpp>

#include "Commands.h"
#include "DisplayDialogs.h"
#include "ExitCodes.h"
#include "Extras.h"
#include "Interrupt.h"
#include "Locations.h"
#include "SettingDefaults.h"
#include "SettingOptions.h"
#include "vendrel/host/PrintableText.h"
#include "vendrel/host/SettingsFile.h"

using namespace vendrel;

namespace {

// The module must be known before the options are declared: its terminology gives the setting options.
std::string modulePathFromArguments(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--module") == 0 && i + 1 < argc) {
            return argv[i + 1];
        }
        if (std::strncmp(argv[i], "--module=", 9) == 0) {
            return argv[i] + 9;
        }
    }
    return defaultModulePath();
}

struct Subcommands {
    CLI::App* run = nullptr;
    CLI::App* about = nullptr;
    CLI::App* info = nullptr;
    CLI::App* palettes = nullptr;
    CLI::App* dialog = nullptr;
};

struct Arguments {
    std::string modulePath;
    RunRequest run;
    std::string presetsFolder;
    std::string pngFile;
    SettingOptions runSettings;
    SettingOptions dialogSettings;
};

Subcommands declare(CLI::App& app, Arguments& arguments, const PluginModule* module)
{
    Subcommands commands;
    app.add_option("--module", arguments.modulePath, "the filter module to load")->type_name("FILE");
    app.require_subcommand(1);

    commands.run = app.add_subcommand("run", "fill the areas of an image and write the result");
    commands.run->add_option("INPUT", arguments.run.inputs, "the images to fill (PNG, JPEG, TIFF, WebP)")->required();
    commands.run
        ->add_option("-o,--output", arguments.run.output,
                     "the file to write; its extension names the format (.ora: layered OpenRaster)")
        ->type_name("OUTPUT");
    commands.run->add_option("--output-dir", arguments.run.outputDir, "write DIR/<input's name> for each input")
        ->type_name("DIR");
    commands.run->add_option("--format", arguments.run.format, "with --output-dir: the outputs' format")
        ->check(CLI::IsMember({"png", "tif", "jpg", "ora"}));
    commands.run
        ->add_option("-j,--jobs", arguments.run.jobs,
                     "with --output-dir: inputs run at once (one per core; lowered to what the cores and the memory "
                     "available hold)")
        ->check(CLI::Range(1, 256));
    commands.run
        ->add_option("--max-megapixels", arguments.run.maxMegapixels,
                     "refuse images of more than N million pixels (default: those whose run would need more memory "
                     "than is available)")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
    commands.run->add_option("--presets", arguments.run.presetsFolder, "the folder that holds \"Color Swatches\"")
        ->type_name("DIR");
    commands.run->add_option("--action", arguments.run.actionFile, "replay the settings of a recorded action")
        ->type_name("FILE");
    commands.run->add_option("--record", arguments.run.recordFile, "save the run's settings as an action")
        ->type_name("FILE");
    commands.run->add_flag("--dialog", arguments.run.dialog, dialogOptionHelp());
    commands.run
        ->add_option("--host-profile", arguments.run.hostProfile,
                     "run the filter as a host of this kind would: full (the default), no-dialog-manager (a current "
                     "image editor; the filter draws its own dialog where it can), viewer (a viewer's filter engine: "
                     "no suites, no settings handed over, colour services that only pick), bare (none of these)")
        ->check(CLI::IsMember(hostProfileNames()))
        ->type_name("KIND");
    commands.run->add_flag("-q,--quiet", arguments.run.quiet, "no progress bar");
    commands.run->add_flag("--convert", arguments.run.convert,
                           "turn grayscale, indexed, Lab and 16-bit images into 8-bit RGB instead of refusing them");
    commands.run->add_flag("--flats", arguments.run.flatting.flats,
                           "give every pixel no area took (the lines) the colour of the nearest filled area");
    commands.run->add_flag("--distinct", arguments.run.flatting.distinct,
                           "give touching areas different colours: an area whose colour a touching area already "
                           "holds takes the next palette colour that none of them holds");
    commands.run
        ->add_option_function<std::string>(
            "--paper",
            [&arguments](const std::string& kind) { arguments.run.flatting.transparentPaper = kind == "transparent"; },
            "transparent: line art on a transparent background; its transparent pixels are paper (the image is put "
            "on the fill colour before the filter runs, and the result is opaque); opaque: the pixels as they are "
            "(the default)")
        ->check(CLI::IsMember({"opaque", "transparent"}))
        ->type_name("KIND");
    commands.run
        ->add_option("--merge-specks", arguments.run.flatting.mergeSpecks,
                     "areas of at most N pixels take the colour of the nearest larger area (0: none)")
        ->type_name("N")
        ->check(CLI::Range(0, std::numeric_limits<int32_t>::max()));
    commands.run
        ->add_option("--close-gaps", arguments.run.flatting.closeGaps,
                     "close gaps in the lines up to N pixels wide before filling (0: none)")
        ->type_name("N")
        ->check(CLI::Range(0, 255));
    commands.run->add_flag("--first-page", arguments.run.firstPage,
                           "take the first page or frame of a multi-page or animated image instead of refusing it");
    commands.run->add_flag("--drop-alpha", arguments.run.dropAlpha,
                           "leave out the alpha channel when the output format holds none (JPEG) instead of refusing");
    commands.run->add_flag(
        "--to-rgb", arguments.run.toRgb,
        "turn CMYK into 8-bit RGB when the output format holds no CMYK (PNG, WebP) instead of refusing");

    commands.about = app.add_subcommand("about", "the filter's About text");
    commands.about->add_option("--png", arguments.pngFile, "also draw the About box into this PNG file")
        ->type_name("FILE");
    commands.info = app.add_subcommand("info", "what the module declares: menu, modes, parameters");
    commands.palettes =
        app.add_subcommand("palettes", "the swatch files the filter's dialog offers, with their colours");
    commands.palettes->add_option("--presets", arguments.presetsFolder, "the folder that holds \"Color Swatches\"")
        ->type_name("DIR");

    commands.dialog = app.add_subcommand("dialog", "draw the filter's dialog as it would open into a PNG file");
    commands.dialog->add_option("--png", arguments.pngFile, "the PNG file to write")->required()->type_name("FILE");
    commands.dialog->add_option("--presets", arguments.presetsFolder, "the folder that holds \"Color Swatches\"")
        ->type_name("DIR");

    if (module != nullptr) {
        arguments.runSettings.addTo(*commands.run, module->aete());
        arguments.dialogSettings.addTo(*commands.dialog, module->aete());
    }
    return commands;
}

// Help was asked for: the setting options show their defaults, which only a run of the module tells.
void describeDefaults(Arguments& arguments, const PluginModule* module)
{
    if (module == nullptr) {
        return;
    }
    if (std::optional<Descriptor> defaults = recordedDefaults(*module)) {
        arguments.runSettings.describeDefaults(*defaults);
        arguments.dialogSettings.describeDefaults(*defaults);
    }
}

bool isCommandName(CLI::App& app, const std::string& name)
{
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
        if (command->get_name() == name) {
            return true;
        }
    }
    return false;
}

// The presets folder given on the command line, else the user's own.
std::string presetsOrDefault(const std::string& folder)
{
    return folder.empty() ? defaultPresetsFolder() : folder;
}

// The options of a batch's run as each of its single runs takes them again, "--NAME=VALUE" each as given: all
// but the inputs, the outputs' naming, the palette and the presets folder, which the batch settles once.
std::vector<std::string> singleRunOptions(const CLI::App& run)
{
    static const std::set<std::string> settledByTheBatch = {"output-dir", "format",  "jobs",    "output",
                                                            "quiet",      "palette", "presets", "help"};
    std::vector<std::string> options;
    for (const CLI::Option* option : run.get_options()) {
        if (option->count() == 0 || option->get_lnames().empty() ||
            settledByTheBatch.count(option->get_lnames().front()) != 0) {
            continue;
        }
        for (const std::string& value : option->results()) {
            options.push_back("--" + option->get_lnames().front() + "=" + value);
        }
    }
    return options;
}

int dispatch(const Subcommands& commands, Arguments& arguments, const PluginModule* module,
             const std::string& moduleError)
{
    if (*commands.palettes) {
        return listPalettes(presetsOrDefault(arguments.presetsFolder));
    }
    if (module == nullptr) {
        printError(moduleError);
        return exitFailure;
    }
    if (*commands.run) {
        arguments.run.presetsFolder = presetsOrDefault(arguments.run.presetsFolder);
        for (const char* stage : {"paper", "close-gaps", "merge-specks", "distinct", "flats"}) {
            if (commands.run->count(std::string("--") + stage) > 0) {
                arguments.run.stagesGiven.emplace_back(stage);
            }
        }
        if (!arguments.run.outputDir.empty()) {
            return runBatch(*module, arguments.run, arguments.runSettings, singleRunOptions(*commands.run));
        }
        resolveRunFiles(arguments.run);
        return runFilter(*module, arguments.run, arguments.runSettings);
    }
    if (*commands.about) {
        if (!arguments.pngFile.empty()) {
            checkDialogPictures("about --png");
        }
        return showAbout(*module, arguments.pngFile);
    }
    if (*commands.info) {
        return showInfo(*module);
    }
    checkDialogPictures("dialog");
    return drawDialog(*module, arguments.pngFile, presetsOrDefault(arguments.presetsFolder), arguments.dialogSettings);
}

int runCommand(int argc, char** argv)
{
    ignoreRelativeConfigHome();
    Arguments arguments;
    std::string modulePath = modulePathFromArguments(argc, argv);
    std::unique_ptr<PluginModule> module;
    std::string moduleError;
    try {
        module = PluginModule::load(modulePath);
    } catch (const std::exception& e) {
        // The host's message already starts with the module's path.
        moduleError = std::string("cannot load the filter module: ") + e.what();
    }

    CLI::App app("vendrel: fills every area of one colour in an image, each with a colour of its own", "vendrel");
    // The same command line everywhere: on Windows too, a name starting with '/' is a path, never an option.
    app.allow_windows_style_options(false);
    Subcommands commands = declare(app, arguments, module.get());
    if (argc > 1 && argv[1][0] != '-' && !isCommandName(app, argv[1])) {
        printError("unknown command '" + shortText(argv[1]) + "' (commands: run, about, info, palettes, dialog)");
        return exitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        describeDefaults(arguments, module.get());
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        describeDefaults(arguments, module.get());
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        printError(std::string(e.what()) + " (see vendrel --help)");
        return exitUsage;
    }

    try {
        return dispatch(commands, arguments, module.get(), moduleError);
    } catch (const UsageError& e) {
        printError(e.what());
        return exitUsage;
    } catch (const std::exception& e) {
        printError(e.what());
        return exitFailure;
    }
}

// What the command printed must have reached its streams: output that could not be written (a full disk, a
// closed pipe, /dev/full) makes a run that succeeded a failure.
int checkedStreams(int status)
{
    std::cout.flush();
    bool outFailed = !std::cout.good();
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        outFailed = true;
    }
    const int reason = errno;
    if (outFailed) {
        printError(std::string("cannot write the standard output") +
                   (reason != 0 ? ": " + std::string(std::strerror(reason)) : ""));
    }
    const bool errFailed = std::fflush(stderr) != 0 || std::ferror(stderr);
    return (outFailed || errFailed) && status == exitSuccess ? int(exitFailure) : status;
}

} // namespace

int main(int argc, char** argv)
{
    ignoreWriteSignals();
    return checkedStreams(runCommand(argc, argv));
}
