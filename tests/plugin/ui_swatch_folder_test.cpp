// The swatch folder: the path join and which folder entries are offered as palettes.
#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <cstring>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "HostSuites.h"
#include "SwatchFolder.h"

namespace fs = boost::filesystem;

namespace vendrel::test {
namespace {

TEST(AppendPath, PutsOneSlashBetweenPlainParts)
{
    EXPECT_EQ(AppendPath("C:/Presets", "Color Swatches"), "C:/Presets/Color Swatches");
}

TEST(AppendPath, AddsNoSlashAfterATrailingSlashOrColon)
{
    EXPECT_EQ(AppendPath("C:/Presets/", "Color Swatches"), "C:/Presets/Color Swatches");
    EXPECT_EQ(AppendPath("C:", "Color Swatches"), "C:Color Swatches");
}

TEST(AppendPath, AddsNoSlashAroundAnEmptyPartOrBeforeALeadingSeparator)
{
    EXPECT_EQ(AppendPath("", "Color Swatches"), "Color Swatches");
    EXPECT_EQ(AppendPath("C:/Presets", ""), "C:/Presets");
    EXPECT_EQ(AppendPath("C:/Presets", "/x"), "C:/Presets/x");
    EXPECT_EQ(AppendPath("C:/Presets", "\\x"), "C:/Presets/x");
}

TEST(AppendPath, StoresBackslashesOfTheAppendedTextAsSlashes)
{
    EXPECT_EQ(AppendPath("", "C:\\Presets\\"), "C:/Presets/");
    EXPECT_EQ(AppendPath(AppendPath("", "C:\\Presets\\"), "Color Swatches"), "C:/Presets/Color Swatches");
    EXPECT_EQ(AppendPath("a", "b\\c.aco"), "a/b/c.aco");
}

TEST(AppendPath, LeavesTheLeftPartAsItIs)
{
    EXPECT_EQ(AppendPath("a\\b", "c"), "a\\b/c");
}

TEST(SwatchFileName, OnlyTheExactLowerCaseExtensionCounts)
{
    EXPECT_TRUE(IsSwatchFileName("Pastels.aco"));
    EXPECT_TRUE(IsSwatchFileName(".aco"));
    EXPECT_TRUE(IsSwatchFileName("two.dots.aco"));
    EXPECT_FALSE(IsSwatchFileName("BIG.ACO"));
    EXPECT_FALSE(IsSwatchFileName("old.aco.bak"));
    EXPECT_FALSE(IsSwatchFileName("notes.txt"));
    EXPECT_FALSE(IsSwatchFileName("aco"));
    EXPECT_FALSE(IsSwatchFileName("x.acoo"));
    EXPECT_FALSE(IsSwatchFileName(".aco.txt"));
}

// A host whose folder is whatever the test names.
std::string gHostFolder;

SPErr AnswerHostFolder(SPPlatformFileSpecification* spec)
{
    std::memset(spec->path, 0, sizeof spec->path);
    std::strncpy(spec->path, gHostFolder.c_str(), sizeof spec->path - 1);
    return 0;
}

SPErr CopyPathName(const SPPlatformFileSpecification* spec, char* path, int32 maxLength)
{
    std::strncpy(path, spec->path, size_t(maxLength) - 1);
    path[maxLength - 1] = '\0';
    return 0;
}

class SwatchFolderOfTheHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        fileList_.GetHostFolder = AnswerHostFolder;
        getPath_.GetPathName = CopyPathName;
        sPSGetFileList = &fileList_;
        sPSGetPath = &getPath_;
    }
    void TearDown() override
    {
        sPSGetFileList = nullptr;
        sPSGetPath = nullptr;
    }

    PSGetFileListSuite5 fileList_{};
    PSGetPathSuite1 getPath_{};
};

TEST_F(SwatchFolderOfTheHost, JoinsTheHostFolderWithColorSwatches)
{
    gHostFolder = "C:\\Presets\\";
    EXPECT_EQ(SwatchFolderPath(), "C:/Presets/Color Swatches");
    gHostFolder = "/opt/host";
    EXPECT_EQ(SwatchFolderPath(), "/opt/host/Color Swatches");
}

TEST_F(SwatchFolderOfTheHost, WithoutThePathServiceTheFolderLiesBesideTheModule)
{
    // Here the plug-in's code is linked into the test program, so the module file is the program itself.
    gHostFolder = "/opt/host";
    sPSGetPath = nullptr;
    const std::string programFolder = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    EXPECT_EQ(SwatchFolderPath(), programFolder + "/Color Swatches");
}

class SwatchListing : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / fs::unique_path("vendrel-ui-swatches-%%%%-%%%%");
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        boost::system::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    void Touch(const std::string& name) { std::ofstream((folder_ / name).string()) << "x"; }

    std::vector<std::string> Listed(const std::string& folder) const
    {
        std::vector<std::string> names;
        ListSwatchFiles(folder, [&names](const std::string& name) { names.push_back(name); });
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

TEST_F(SwatchListing, OffersEveryEntryWithTheExtensionAndNothingElse)
{
    for (const char* name : {"Pastels.aco", "notes.txt", "BIG.ACO", "old.aco.bak", ".aco"})
        Touch(name);
    fs::create_directory(folder_ / "x.aco");
    fs::create_directory(folder_ / "sub");
    Touch("sub/Nested.aco");

    const std::vector<std::string> expected{".aco", "Pastels.aco", "x.aco"};
    EXPECT_EQ(Listed(folder_.string()), expected);
}

TEST_F(SwatchListing, HandsOverBareFileNames)
{
    Touch("Earth.aco");
    const std::vector<std::string> names = Listed(folder_.string() + "/");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "Earth.aco");
}

TEST_F(SwatchListing, AMissingFolderOffersNothingAndDoesNotThrow)
{
    std::vector<std::string> names;
    EXPECT_NO_THROW(
        ListSwatchFiles((folder_ / "absent").string(), [&names](const std::string& name) { names.push_back(name); }));
    EXPECT_TRUE(names.empty());
}

TEST_F(SwatchListing, AFileInPlaceOfTheFolderOffersNothing)
{
    Touch("plain.aco");
    EXPECT_TRUE(Listed((folder_ / "plain.aco").string()).empty());
}

TEST_F(SwatchListing, NamesHandedOverBeforeAFailureStay)
{
    Touch("a.aco");
    Touch("b.aco");
    Touch("c.aco");
    std::vector<std::string> names;
    // The receiver fails on the second name, as it would when memory runs out.
    ListSwatchFiles(folder_.string(), [&names](const std::string& name) {
        if (names.size() == 1)
            throw std::bad_alloc();
        names.push_back(name);
    });
    EXPECT_EQ(names.size(), 1u);
}

} // namespace
} // namespace vendrel::test
