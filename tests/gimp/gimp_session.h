// A private GIMP for tests: a temporary GIMP2_DIRECTORY with the filter installed by the project's install
// script, GIMP's plug-in path cut down to what the tests use (so that a fresh folder starts in seconds), and
// script-fu files run in batch mode.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli_test_files.h"

namespace vendrel::test {

class GimpSession {
public:
    GimpSession()
    {
        std::filesystem::create_directories(home());
        std::filesystem::create_directories(config());
        std::filesystem::create_directories(folder_.file("system-plug-ins"));
        for (const char* plugIn : {"script-fu", "file-png"}) {
            std::filesystem::create_directory_symlink(std::string("/usr/lib/gimp/2.0/plug-ins/") + plugIn,
                                                      folder_.file("system-plug-ins/") + plugIn);
        }
        std::ofstream(home() + "/gimprc")
            << "(plug-in-path \"" << home() << "/plug-ins:" << folder_.file("system-plug-ins") << "\")\n";
        installed_ =
            shell(environment() + " " + VENDREL_SOURCE_DIR "/scripts/install-gimp-plugin.sh " VENDREL_BUILD_DIR " > " +
                  folder_.file("install.log") + " 2>&1") == 0;
    }

    bool installed() const { return installed_; }
    std::string home() const { return folder_.file("gimp"); }
    std::string config() const { return folder_.file("config"); }
    std::string file(const std::string& name) const { return folder_.file(name); }
    std::string prefsFile() const { return config() + "/Vendrel Prefs"; }

    // The variables every program of the session runs with: GIMP's folder and the filter's settings folder.
    // A sanitized plug-in program does not hunt leaks: GTK, GLib and GEGL keep their memory until exit.
    std::string environment() const
    {
        return "GIMP2_DIRECTORY='" + home() + "' XDG_CONFIG_HOME='" + config() + "' ASAN_OPTIONS=detect_leaks=0";
    }

    // Runs the script-fu file in a headless GIMP (prefix: e.g. "xvfb-run -a" for a GIMP with a display).
    // True when GIMP ran the whole script; its output goes to log().
    bool runScript(const std::string& script, const std::string& flags = "-i", const std::string& prefix = "") const
    {
        const std::string path = folder_.file("script.scm");
        std::ofstream(path) << script;
        const std::string command = "cd '" + folder_.path() + "' && " + environment() + " " + prefix + " " +
                                    VENDREL_GIMP_PROGRAM " " + flags +
                                    " -n -d -f --batch-interpreter=plug-in-script-fu-eval -b '(load \"" + path +
                                    "\")' -b '(gimp-quit 0)' > '" + log() + "' 2>&1";
        return shell(command) == 0 && lastLog().find("batch command executed successfully") != std::string::npos;
    }

    std::string log() const { return folder_.file("gimp.log"); }
    std::string lastLog() const
    {
        std::vector<uint8_t> bytes = readBytes(log());
        return std::string(bytes.begin(), bytes.end());
    }

    static int shell(const std::string& command)
    {
        return std::system(("bash -c \"" + escaped(command) + "\"").c_str());
    }

private:
    static std::string escaped(const std::string& text)
    {
        std::string out;
        for (char c : text) {
            if (c == '"' || c == '\\' || c == '$' || c == '`') {
                out += '\\';
            }
            out += c;
        }
        return out;
    }

    TempFolder folder_;
    bool installed_ = false;
};

} // namespace vendrel::test
