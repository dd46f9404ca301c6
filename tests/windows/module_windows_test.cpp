// What only the Windows module shows: its resources as the system's resource functions read them, the entry
// point its architecture names, the preferences file in the roaming application-data folder with CRLF line
// ends, and the swatch folder listed from a Windows path.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "Resources.h"
#include "SwatchFolder.h"
#include "VendrelParams.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;

constexpr bool kIs64Bit = sizeof(void*) == 8;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

fs::path RoamingFolder()
{
    char folder[MAX_PATH + 1] = {0};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, 26, TRUE));
    return fs::path(folder);
}

TEST(WindowsModule, CarriesEachResourceWithTheGeneratorsBytesForItsArchitecture)
{
    const vendrel::ResourceMap resources = vendrel::readModuleResources(VENDREL_MODULE_PATH);
    const std::vector<ModuleResource> expected =
        AllResources(kIs64Bit ? EntryPointCode::Win64X64 : EntryPointCode::Win32X86);
    EXPECT_EQ(resources.size(), expected.size());
    for (const ModuleResource& resource : expected) {
        const auto found = resources.find({resource.type, resource.id});
        ASSERT_NE(found, resources.end()) << resource.type << " " << resource.id;
        EXPECT_EQ(found->second, resource.bytes) << resource.type << " " << resource.id;
    }
}

TEST(WindowsModule, NamesItsEntryPointUnderItsArchitecturesPropertyOnly)
{
    const auto module = vendrel::PluginModule::load(VENDREL_MODULE_PATH);
    EXPECT_EQ(module->pipl().name, "Vendrel...");
    EXPECT_EQ(kIs64Bit ? module->pipl().entryPoint64 : module->pipl().entryPoint, "PluginMain");
    EXPECT_TRUE((kIs64Bit ? module->pipl().entryPoint : module->pipl().entryPoint64).empty());
    EXPECT_NE(module->entry(), nullptr);
}

TEST(WindowsPreferences, AConfirmedDialogWritesCrlfLinesIntoTheRoamingFolder)
{
    const fs::path prefs = RoamingFolder() / "Vendrel Prefs";
    std::error_code ignored;
    fs::remove(prefs, ignored);

    const auto module = vendrel::PluginModule::load(VENDREL_MODULE_PATH);
    vendrel::HostConfig config;
    config.hostFolder = fs::temp_directory_path().string();
    vendrel::FilterHost host(*module, config); // the silent front end presses OK
    vendrel::HostImage image = vendrel::HostImage::blank(4, 3);
    vendrel::RunOptions options;
    options.showDialog = true;
    ASSERT_EQ(host.run(image, options).result, 0);

    // The file holds the confirmed settings (those the host keeps in the parameters handle) as the text the
    // filter writes everywhere, with each line ended by CRLF.
    const std::vector<uint8_t> confirmed = host.parametersBytes();
    ASSERT_EQ(confirmed.size(), sizeof(_SVendrelParams));
    CVendrelParams params;
    std::memcpy(static_cast<_SVendrelParams*>(&params), confirmed.data(), confirmed.size());
    std::ostringstream text(std::ios::binary);
    params.WriteText(text);
    std::string expected;
    for (char c : text.str())
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ReadBytes(prefs), expected);
    fs::remove(prefs, ignored);
}

TEST(WindowsSwatchFolder, ListsTheSwatchFilesOfAFolderNamedByAWindowsPath)
{
    const fs::path folder = fs::temp_directory_path() / "vendrel-windows-swatches" / "Color Swatches";
    fs::create_directories(folder);
    for (const char* name : {"Flatting.aco", "Skin tones.aco", "notes.txt", "old.aco.bak"})
        std::ofstream(folder / name, std::ios::binary) << "x";

    std::set<std::string> listed;
    ListSwatchFiles(folder.string(), [&listed](const std::string& name) { listed.insert(name); });
    EXPECT_EQ(listed, (std::set<std::string>{"Flatting.aco", "Skin tones.aco"}));
    EXPECT_NE(folder.string().find('\\'), std::string::npos) << "the folder is named with Windows separators";
    fs::remove_all(folder.parent_path());
}

} // namespace
} // namespace vendrel::test
