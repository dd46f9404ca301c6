// Shared pieces of the dialog, About box and parameters tests: the loaded module, the scripted front end,
// a private host folder and preferences folder per test, and a reader of the stored settings record.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "vendrel/host/AdmDialog.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/FrontEnd.h"
#include "vendrel/host/PluginModule.h"
#include "vendrel/host/ScriptedFrontEnd.h"

namespace vendrel::test {

namespace fs = std::filesystem;

inline const vendrel::PluginModule& Module()
{
    static std::unique_ptr<vendrel::PluginModule> module = vendrel::PluginModule::load(VENDREL_MODULE_PATH);
    return *module;
}

// The settings record as the host's parameters handle holds it (native little-endian, fixed offsets).
struct StoredParams {
    explicit StoredParams(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    size_t size() const { return bytes_.size(); }
    int32_t signature() const { return read<int32_t>(0); }
    uint16_t version() const { return read<uint16_t>(4); }
    uint16_t fillColor(int channel) const { return read<uint16_t>(8 + 2 * size_t(channel)); }
    std::string paletteFile() const
    {
        const char* start = reinterpret_cast<const char*>(bytes_.data() + 14);
        return std::string(start, strnlen(start, 256));
    }
    uint16_t tolerance() const { return read<uint16_t>(270); }
    bool randomColors() const { return bytes_.at(273) != 0; }
    bool measureArea() const { return bytes_.at(274) != 0; }
    bool flagAreas() const { return bytes_.at(275) != 0; }
    uint16_t flagColor(int channel) const { return read<uint16_t>(276 + 2 * size_t(channel)); }
    int32_t flagSize() const { return read<int32_t>(284); }
    bool joinAreas() const { return bytes_.at(288) != 0; }
    int32_t joinSize() const { return read<int32_t>(292); }

private:
    template <typename T> T read(size_t offset) const
    {
        T value{};
        if (offset + sizeof(T) <= bytes_.size())
            std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }
    std::vector<uint8_t> bytes_;
};

inline constexpr int32_t kVdrl = ('V' << 24) | ('d' << 16) | ('r' << 8) | 'l';

// The preferences file's text for the given line-1 values; flags as raw bytes.
struct PrefsText {
    int32_t signature = kVdrl;
    int version = 3;
    int fill[3] = {65535, 65535, 65535};
    int tolerance = 0;
    char reserved = 0;
    char random = 0;
    char measureArea = 0;
    char flagAreas = 0;
    int flag[3] = {65535, 0, 65535};
    int flagSize = 20;
    char joinAreas = 0;
    int joinSize = 10;
    std::string palette;

    std::string text() const
    {
        auto n = [](long v) { return std::to_string(v) + " "; };
        auto b = [](char c) { return std::string(1, c) + " "; };
        return n(signature) + n(version) + n(fill[0]) + n(fill[1]) + n(fill[2]) + n(tolerance) + b(reserved) +
               b(random) + b(measureArea) + b(flagAreas) + n(flag[0]) + n(flag[1]) + n(flag[2]) + n(flagSize) +
               b(joinAreas) + std::to_string(joinSize) + "\n" + palette + "\n";
    }
};

// The exact preferences file that the default settings give.
inline std::string DefaultPrefsBytes()
{
    return std::string("1449423468 3 65535 65535 65535 0 ") + std::string("\0 \0 \0 \0 ", 8) + "65535 0 65535 20 " +
           std::string("\0 ", 2) + "10\n\n";
}

inline std::optional<std::string> ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A private host folder (with or without "Color Swatches") and a private preferences folder, for one test.
class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("vendrel-ui-" + std::to_string(::getpid()) + "-" + UniqueName());
        hostFolder_ = root_ / "host";
        configFolder_ = root_ / "config";
        fs::create_directories(hostFolder_);
        fs::create_directories(configFolder_);
        const char* previous = std::getenv("XDG_CONFIG_HOME");
        if (previous)
            savedConfigHome_ = previous;
        ::setenv("XDG_CONFIG_HOME", configFolder_.c_str(), 1);
    }

    void TearDown() override
    {
        if (savedConfigHome_)
            ::setenv("XDG_CONFIG_HOME", savedConfigHome_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    static std::string UniqueName()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return std::string(info->test_suite_name()) + "-" + info->name();
    }

    fs::path PrefsPath() const { return configFolder_ / "Vendrel Prefs"; }
    std::optional<std::string> PrefsBytes() const { return ReadWholeFile(PrefsPath()); }
    void WritePrefs(const std::string& bytes) const { WriteWholeFile(PrefsPath(), bytes); }

    fs::path SwatchFolder() const { return hostFolder_ / "Color Swatches"; }
    void AddSwatchFile(const std::string& name) const
    {
        fs::create_directories(SwatchFolder());
        WriteWholeFile(SwatchFolder() / name, "not read while the dialog is open");
    }

    std::unique_ptr<vendrel::FilterHost> MakeHost()
    {
        vendrel::HostConfig config;
        config.hostFolder = hostFolder_.string();
        config.frontEnd = &frontEnd_;
        return std::make_unique<vendrel::FilterHost>(Module(), config);
    }

    // Runs the whole filter with its dialog on a small white image.
    vendrel::RunResult RunWithDialog(vendrel::FilterHost& host)
    {
        image_ = vendrel::HostImage::blank(4, 3);
        std::fill(image_.pixels.begin(), image_.pixels.end(), uint8_t(255));
        vendrel::RunOptions options;
        options.showDialog = true;
        return host.run(image_, options);
    }

    // Hands each modal dialog to check, which inspects and acts on it; a dialog it leaves open is cancelled.
    void Inspect(std::function<void(vendrel::AdmDialog&)> check)
    {
        frontEnd_.onModal([check](vendrel::AdmDialog& dialog) {
            check(dialog);
            if (!dialog.ended())
                dialog.pressCancel();
            return dialog.endingId();
        });
    }
    // Goes back to the step script of the front end.
    void UseSteps() { frontEnd_.onModal(nullptr); }
    int DialogsShown() const { return int(frontEnd_.dialogsShown().size()); }

    fs::path root_;
    fs::path hostFolder_;
    fs::path configFolder_;
    std::optional<std::string> savedConfigHome_;
    vendrel::ScriptedFrontEnd frontEnd_;
    vendrel::HostImage image_;
};

// Items by the names a user reads on screen.
inline vendrel::AdmItem& Item(vendrel::AdmDialog& dialog, const std::string& label)
{
    vendrel::AdmItem* item = dialog.find(label);
    if (!item)
        throw std::runtime_error("no item named " + label);
    return *item;
}

inline const char kFillSwatchTip[] = "Select color to replace with Vendrel";
inline const char kFlagSwatchTip[] = "Select color for flagged area's";
inline const char kToleranceTip[] = "Increase Tolerance if Vendrel does not find the desired area's.";
inline const char kJoinSizeTip[] = "Area's up to this size will be joined in the same color as the nearest normal area";
inline const char kFlagSizeTip[] = "Flag area size in pixels";
inline const char kPopupTip[] = "Select color pallete used for filling";
inline const char kJoinCheck[] = "Join Areas <=";
inline const char kFlagCheck[] = "Flag Areas <=";
inline const char kAreaRadioTip[] = "Select area's with pixel count smaller than selected size";
inline const char kHeightWidthRadioTip[] = "Select area's with x and y size smaller than selected size";

} // namespace vendrel::test
