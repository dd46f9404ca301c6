// Runs of the filter through the module without a dialog: settings as a descriptor, swatch files in a
// temporary host folder, and a front end that records progress and alerts and can abort.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SettingsTable.h"
#include "dialog_presser.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::test {

namespace fs = std::filesystem;
using Color = std::array<uint8_t, 3>;

inline const vendrel::PluginModule& Module()
{
    static std::unique_ptr<vendrel::PluginModule> module = vendrel::PluginModule::load(VENDREL_MODULE_PATH);
    return *module;
}

class RecordingFrontEnd : public vendrel::FrontEnd {
public:
    void progress(int32_t done, int32_t total) override { reports.push_back({done, total}); }
    bool abortRequested() override { return ++abortChecks > abortAfterRows; }
    void alert(const std::string& message) override { alerts.push_back(message); }

    std::vector<std::array<int32_t, 2>> reports;
    std::vector<std::string> alerts;
    int abortChecks = 0;
    int abortAfterRows = 1 << 30;
};

// The settings of a run, each recorded in the descriptor under its scripting name.
struct Settings {
    int32_t tolerance = 0;
    Color fill = {255, 255, 255};
    Color flag = {255, 0, 255};
    bool randomColors = true;
    std::string palette;
    bool measureArea = false;
    bool flagAreas = false;
    int32_t flagSize = 20;
    bool joinAreas = false;
    int32_t joinSize = 10;
};

inline vendrel::DescriptorObject ColorObject(const Color& color)
{
    return vendrel::colorObject({uint16_t(color[0] * 257), uint16_t(color[1] * 257), uint16_t(color[2] * 257)});
}

inline vendrel::Descriptor ToDescriptor(const Settings& s)
{
    vendrel::Descriptor d;
    d.put(PIFourCC("BckC"), ColorObject(s.fill));
    d.put(PIFourCC("Clr "), ColorObject(s.flag));
    d.put(PIFourCC("Tlrn"), s.tolerance);
    d.put(PIFourCC("RanD"), s.randomColors);
    d.put(PIFourCC("PltF"), s.palette);
    d.put(PIFourCC("Ar  "), s.measureArea);
    d.put(PIFourCC("FlaG"), s.flagAreas);
    d.put(PIFourCC("FlgS"), s.flagSize);
    d.put(PIFourCC("JoiN"), s.joinAreas);
    d.put(PIFourCC("JinS"), s.joinSize);
    return d;
}

class EngineRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device device;
        hostFolder =
            fs::temp_directory_path() / ("vendrel-engine-" + std::to_string(device()) + "-" + std::to_string(device()));
        fs::create_directories(hostFolder / "Color Swatches");
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(hostFolder, ignored);
    }

    // Writes a version-1 swatch file of RGB colours into the host's swatch folder.
    void AddPalette(const std::string& name, const std::vector<Color>& colors)
    {
        std::ofstream out((hostFolder / "Color Swatches" / name).string(), std::ios::binary);
        auto word = [&out](unsigned w) {
            out.put(char((w >> 8) & 0xFF));
            out.put(char(w & 0xFF));
        };
        word(1);
        word(unsigned(colors.size()));
        for (const Color& c : colors) {
            word(0);
            word(c[0] * 257u);
            word(c[1] * 257u);
            word(c[2] * 257u);
            word(0);
        }
    }

    // The run in a full host; first the same run in each host profile that can play it here, which must give
    // the full host's result and bytes.
    vendrel::RunResult Run(vendrel::HostImage& image, const Settings& settings)
    {
        ExpectEveryProfileAsTheFullHost(image, settings);
        vendrel::HostConfig config;
        config.hostFolder = hostFolder.string();
        config.frontEnd = &frontEnd;
        vendrel::FilterHost host(Module(), config);
        vendrel::RunOptions options;
        options.descriptor = ToDescriptor(settings);
        return host.run(image, options);
    }

    void ExpectEveryProfileAsTheFullHost(const vendrel::HostImage& image, const Settings& settings)
    {
        vendrel::HostImage expected = image;
        const vendrel::RunResult full = RunInProfile(vendrel::HostProfile::full, expected, settings);
        for (vendrel::HostProfile profile : ProfilesThatCanPlay(image, settings)) {
            vendrel::HostImage again = image;
            const vendrel::RunResult other = RunInProfile(profile, again, settings);
            const std::string name = vendrel::hostProfileName(profile);
            EXPECT_EQ(other.result, full.result) << name;
            EXPECT_TRUE(again.pixels == expected.pixels) << name << ": other bytes than the full host's";
        }
    }

    // Hosts that hand no settings over (viewer, bare) play a run only through the module's own dialog, which
    // opens on the last confirmed settings: where the module has one, for images whose colours it can convert
    // alone, with a palette the dialog can list and numbers its fields can hold.
    std::vector<vendrel::HostProfile> ProfilesThatCanPlay(const vendrel::HostImage& image, const Settings& settings)
    {
        std::vector<vendrel::HostProfile> profiles = {vendrel::HostProfile::noDialogManager};
        const bool listed =
            settings.randomColors || (settings.palette.find_first_of("/\\") == std::string::npos &&
                                      fs::is_regular_file(hostFolder / "Color Swatches" / settings.palette));
        if (ModuleDrawsOwnDialogs() && listed && FitsTheDialog(settings) && image.mode == plugInModeRGBColor) {
            profiles.push_back(vendrel::HostProfile::viewer);
            profiles.push_back(vendrel::HostProfile::bare);
        }
        return profiles;
    }

    static bool FitsTheDialog(const Settings& settings)
    {
        const auto fits = []<typename Number>(int32_t value, const NumberField<Number>& field) {
            return value >= field.minimum && value <= field.maximum;
        };
        return fits(settings.tolerance, FieldOf<NumberField<uint16>>("tolerance")) &&
               fits(settings.flagSize, FieldOf<NumberField<int32>>("flagsize")) &&
               fits(settings.joinSize, FieldOf<NumberField<int32>>("joinsize"));
    }

    // A run in a fresh instance of the module (its random colours start over), loaded from a copy beside the
    // test's swatch folder, where hosts without a folder of their own make the module look.
    vendrel::RunResult RunInProfile(vendrel::HostProfile profile, vendrel::HostImage& image, const Settings& settings)
    {
        if (!vendrel::passesDescriptors(profile))
            ConfirmInTheDialog(settings);
        const fs::path copy = hostFolder / ("Vendrel-" + vendrel::hostProfileName(profile) + ".8bf");
        fs::copy_file(VENDREL_MODULE_PATH, copy, fs::copy_options::overwrite_existing);
        const auto module = vendrel::PluginModule::load(copy.string());
        RecordingFrontEnd fresh;
        fresh.abortAfterRows = frontEnd.abortAfterRows;
        vendrel::HostConfig config;
        config.hostFolder = hostFolder.string();
        config.frontEnd = &fresh;
        config.profile = profile;
        vendrel::FilterHost host(*module, config);
        vendrel::RunOptions options;
        options.descriptor = ToDescriptor(settings);
        DialogPresser presser(1);
        return host.run(image, options);
    }

    // The settings confirmed once in a full host's dialog, which keeps them as the last confirmed settings.
    void ConfirmInTheDialog(const Settings& settings)
    {
        vendrel::HostConfig config;
        config.hostFolder = hostFolder.string();
        vendrel::FilterHost host(Module(), config);
        vendrel::HostImage standIn = vendrel::HostImage::blank(1, 1);
        vendrel::RunOptions options;
        options.descriptor = ToDescriptor(settings);
        options.showDialog = true;
        ASSERT_EQ(host.run(standIn, options).result, 0);
    }

    fs::path hostFolder;
    RecordingFrontEnd frontEnd;
};

// An RGB image drawn from text: each character is a pixel whose colour the legend gives.
inline vendrel::HostImage Draw(const std::vector<std::string>& rows, const std::map<char, Color>& legend,
                               int16_t mode = plugInModeRGBColor)
{
    vendrel::HostImage image = vendrel::HostImage::blank(int32_t(rows[0].size()), int32_t(rows.size()), mode);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            const Color& c = legend.at(rows[size_t(y)][size_t(x)]);
            uint8_t* p = image.pixel(x, y);
            p[0] = c[0];
            p[1] = c[1];
            p[2] = c[2];
        }
    return image;
}

inline Color At(const vendrel::HostImage& image, int32_t x, int32_t y)
{
    const uint8_t* p = image.pixel(x, y);
    return {p[0], p[1], p[2]};
}

} // namespace vendrel::test
