// The preferences file: its exact text, reading it back, and where it lives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <optional>
#include <sstream>
#include <string>

#include "AppDataFolder.h"
#include "CVendrel.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// The file after an OK with the defaults, written out by hand: the flags are raw 0x00 bytes.
const std::string kDefaultPrefs = "1449423468 3 65535 65535 65535 0 \0 \0 \0 \0 65535 0 65535 20 \0 10\n\n"s;

std::string TextOf(const CVendrelParams& params)
{
    std::ostringstream out;
    params.WriteText(out);
    return out.str();
}

CVendrelParams ReadFrom(const std::string& text, CVendrelParams params = CVendrelParams())
{
    std::istringstream in(text);
    params.ReadText(in);
    return params;
}

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Digits grouped in threes with commas: what a stream in such a locale would write for numbers.
struct GroupingPunctuation : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ParamsPrefsText, DefaultsAreWrittenExactly)
{
    EXPECT_EQ(TextOf(CVendrelParams()), kDefaultPrefs);
}

TEST(ParamsPrefsText, FlagsAreRawBytesAndThePaletteIsTheSecondLine)
{
    CVendrelParams params;
    params.randomColors = true;
    params.flagAreas = true;
    params.joinAreas = true;
    params.reservedFlag = 1;
    params.tolerance = 12;
    params.fillColor[1] = 0;
    params.flagSize = -3;
    params.SetPaletteFile("My Colors.aco");
    EXPECT_EQ(TextOf(params), "1449423468 3 65535 0 65535 12 \1 \1 \0 \1 65535 0 65535 -3 \1 10\nMy Colors.aco\n"s);
}

TEST(ParamsPrefsText, NumbersIgnoreTheStreamsLocale)
{
    std::ostringstream out;
    out.imbue(std::locale(std::locale::classic(), new GroupingPunctuation));
    CVendrelParams().WriteText(out);
    EXPECT_EQ(out.str(), kDefaultPrefs);

    std::istringstream in(kDefaultPrefs);
    in.imbue(std::locale(std::locale::classic(), new GroupingPunctuation));
    CVendrelParams params;
    params.tolerance = 9;
    params.ReadText(in);
    EXPECT_EQ(params.tolerance, 0);
    EXPECT_EQ(in.getloc().name(), std::locale(std::locale::classic(), new GroupingPunctuation).name());
}

TEST(ParamsPrefsText, ATextReadsBackToTheSameRecord)
{
    CVendrelParams written;
    written.fillColor[0] = 1;
    written.fillColor[1] = 2;
    written.fillColor[2] = 3;
    written.flagColor[0] = 4;
    written.flagColor[1] = 5;
    written.flagColor[2] = 6;
    written.tolerance = 65535;
    written.reservedFlag = 1;
    written.randomColors = true;
    written.measureArea = true;
    written.flagAreas = true;
    written.joinAreas = true;
    written.flagSize = 2147483647;
    written.joinSize = -2147483647 - 1;
    written.SetPaletteFile("Earth Tones.aco");

    const CVendrelParams read = ReadFrom(TextOf(written));
    EXPECT_EQ(read.fillColor[0], 1);
    EXPECT_EQ(read.fillColor[1], 2);
    EXPECT_EQ(read.fillColor[2], 3);
    EXPECT_EQ(read.flagColor[0], 4);
    EXPECT_EQ(read.flagColor[1], 5);
    EXPECT_EQ(read.flagColor[2], 6);
    EXPECT_EQ(read.tolerance, 65535);
    EXPECT_EQ(read.reservedFlag, 1);
    EXPECT_TRUE(read.randomColors);
    EXPECT_TRUE(read.measureArea);
    EXPECT_TRUE(read.flagAreas);
    EXPECT_TRUE(read.joinAreas);
    EXPECT_EQ(read.flagSize, 2147483647);
    EXPECT_EQ(read.joinSize, -2147483647 - 1);
    EXPECT_STREQ(read.paletteFile, "Earth Tones.aco");
}

TEST(ParamsPrefsText, APaletteNameOf255CharactersRoundTrips)
{
    CVendrelParams written;
    const std::string name(255, 'p');
    written.SetPaletteFile(name.c_str());
    EXPECT_EQ(ReadFrom(TextOf(written)).paletteFile, name);
}

TEST(ParamsPrefsText, APaletteLineOf256CharactersKeepsItsFirst255)
{
    std::string line(256, 'x');
    line[254] = 'y';
    line[255] = 'z';
    const CVendrelParams read = ReadFrom("1449423468 3 1 2 3 4 \0 \0 \0 \0 5 6 7 8 \0 9\n"s + line + "\n");
    EXPECT_EQ(std::string(read.paletteFile), line.substr(0, 255));
    EXPECT_EQ(read.fillColor[0], 1) << "the record is still kept";
    EXPECT_EQ(read.joinSize, 9);
}

TEST(ParamsPrefsText, AFileCutShortKeepsTheItemsBeforeTheCut)
{
    CVendrelParams start;
    start.SetPaletteFile("Kept.aco");
    const CVendrelParams read = ReadFrom("1449423468 3 100 200", start);
    EXPECT_EQ(read.fillColor[0], 100);
    EXPECT_EQ(read.fillColor[1], 200);
    EXPECT_EQ(read.fillColor[2], 65535);
    EXPECT_EQ(read.tolerance, 0);
    EXPECT_EQ(read.flagSize, 20);
    EXPECT_STREQ(read.paletteFile, "Kept.aco");
}

TEST(ParamsPrefsText, AnItemThatIsNoNumberStopsTheReading)
{
    CVendrelParams start;
    start.tolerance = 77;
    const CVendrelParams read = ReadFrom("1449423468 3 1 2 three 4 \1 \1 \1 \1 5 6 7 8 \1 9\nName.aco\n"s, start);
    EXPECT_EQ(read.fillColor[0], 1);
    EXPECT_EQ(read.fillColor[1], 2);
    EXPECT_EQ(read.fillColor[2], 65535) << "the item that failed keeps its value";
    EXPECT_EQ(read.tolerance, 77) << "every later item keeps its value";
    EXPECT_FALSE(read.randomColors);
    EXPECT_EQ(read.joinSize, 10);
    EXPECT_STREQ(read.paletteFile, "");
}

TEST(ParamsPrefsText, VersionTwoResetsEveryFieldIncludingThoseReadBeforeIt)
{
    CVendrelParams start;
    start.tolerance = 77;
    const CVendrelParams read = ReadFrom("1449423468 2 1 2 3 4 \1 \1 \1 \1 5 6 7 8 \1 9\nName.aco\n"s, start);
    EXPECT_EQ(read.version, 3);
    EXPECT_EQ(read.fillColor[0], 65535);
    EXPECT_EQ(read.tolerance, 0);
    EXPECT_FALSE(read.randomColors);
    EXPECT_EQ(read.joinSize, 10);
    EXPECT_STREQ(read.paletteFile, "");
}

TEST(ParamsPrefsText, AnotherSignatureResetsEveryField)
{
    const CVendrelParams read = ReadFrom("1449423469 3 1 2 3 4 \1 \1 \1 \1 5 6 7 8 \1 9\nName.aco\n"s);
    EXPECT_EQ(read.signature, 1449423468);
    EXPECT_EQ(read.fillColor[0], 65535);
    EXPECT_STREQ(read.paletteFile, "");
}

TEST(ParamsPrefsText, AnEmptyTextChangesNothing)
{
    CVendrelParams start;
    start.tolerance = 77;
    start.SetPaletteFile("Kept.aco");
    const CVendrelParams read = ReadFrom("", start);
    EXPECT_EQ(read.tolerance, 77);
    EXPECT_STREQ(read.paletteFile, "Kept.aco");
}

class ParamsPrefsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vendrel-params-prefs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    CVendrel filter;
};

TEST_F(ParamsPrefsFile, TheFileLivesInTheConfigurationFolder)
{
    const fs::path config = folder / "config";
    ScopedEnvironment xdg("XDG_CONFIG_HOME", config.c_str());
    EXPECT_EQ(GetAppDataFolder(), config.string() + "/");
    EXPECT_TRUE(fs::is_directory(config)) << "the folder is created when missing";

    filter.WritePrefs(CVendrelParams());
    EXPECT_EQ(FileBytes(config / "Vendrel Prefs"), kDefaultPrefs);
}

TEST_F(ParamsPrefsFile, WithoutXdgConfigHomeTheFolderIsDotConfigInHome)
{
    ScopedEnvironment home("HOME", folder.c_str());
    ScopedEnvironment xdg("XDG_CONFIG_HOME", "");
    EXPECT_EQ(GetAppDataFolder(), (folder / ".config").string() + "/");

    CVendrelParams params;
    params.tolerance = 31;
    filter.WritePrefs(params);
    CVendrelParams read;
    filter.ReadPrefs(read);
    EXPECT_EQ(read.tolerance, 31);
    EXPECT_TRUE(fs::exists(folder / ".config" / "Vendrel Prefs"));
}

TEST_F(ParamsPrefsFile, WithoutAnyFolderNothingIsReadOrWritten)
{
    ScopedEnvironment home("HOME", nullptr);
    ScopedEnvironment xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(GetAppDataFolder(), "");
    CVendrelParams params;
    params.tolerance = 31;
    filter.WritePrefs(params);
    CVendrelParams read;
    read.tolerance = 5;
    filter.ReadPrefs(read);
    EXPECT_EQ(read.tolerance, 5);
}

TEST_F(ParamsPrefsFile, WritingReplacesTheOldContent)
{
    ScopedEnvironment xdg("XDG_CONFIG_HOME", folder.c_str());
    CVendrelParams longer;
    longer.SetPaletteFile(std::string(200, 'L').c_str());
    filter.WritePrefs(longer);
    filter.WritePrefs(CVendrelParams());
    EXPECT_EQ(FileBytes(folder / "Vendrel Prefs"), kDefaultPrefs);
}

TEST_F(ParamsPrefsFile, AMissingFileLeavesTheRecord)
{
    ScopedEnvironment xdg("XDG_CONFIG_HOME", folder.c_str());
    CVendrelParams read;
    read.tolerance = 5;
    filter.ReadPrefs(read);
    EXPECT_EQ(read.tolerance, 5);
}

TEST_F(ParamsPrefsFile, AFolderThatCannotBeMadeKeepsNothingAndReportsNothing)
{
    // A plain file where the folder should be: neither the folder nor the preferences file can be made.
    const fs::path blocker = folder / "blocker";
    std::ofstream(blocker) << "x";
    ScopedEnvironment xdg("XDG_CONFIG_HOME", blocker.c_str());
    filter.WritePrefs(CVendrelParams());
    EXPECT_FALSE(fs::exists(blocker / "Vendrel Prefs"));
    CVendrelParams read;
    read.tolerance = 5;
    filter.ReadPrefs(read);
    EXPECT_EQ(read.tolerance, 5);
}

} // namespace
} // namespace vendrel::test
