// Pending files: written beside their targets and put in place only when finished, several together.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "cli_test_files.h"
#include "vendrel/host/PendingFile.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;

const std::vector<uint8_t> former = {'f', 'o', 'r', 'm', 'e', 'r'};

std::vector<uint8_t> bytesOf(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

TEST(PendingFileTest, TargetsChangeOnlyWhenEveryFileIsPutInPlace)
{
    TempFolder folder;
    fs::create_directory(folder.file("actions"));
    writeBytes(folder.file("image.png"), former);
    {
        PendingFile image(folder.file("image.png"));
        PendingFile action(folder.file("actions/action.json"));
        image.write("new image");
        action.write("new action");
        EXPECT_EQ(readBytes(folder.file("image.png")), former) << "nothing is in place before the commit";
        fs::remove(folder.file("actions")); // the action's folder vanishes before the commit
        EXPECT_THROW(commitTogether({&image, &action}), HostError);
    }
    EXPECT_EQ(readBytes(folder.file("image.png")), former);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"image.png"}) << "no temporary file is left";

    fs::create_directory(folder.file("actions"));
    {
        PendingFile image(folder.file("image.png"));
        PendingFile action(folder.file("actions/action.json"));
        image.write("new image");
        action.write("new action");
        commitTogether({&image, &action});
    }
    EXPECT_EQ(readBytes(folder.file("image.png")), bytesOf("new image"));
    EXPECT_EQ(readBytes(folder.file("actions/action.json")), bytesOf("new action"));
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"actions", "image.png"}));
}

// A write that fails late (a file size limit reached by the second file) leaves both targets as they were.
TEST(PendingFileTest, AWriteThatFailsLateLeavesEveryTarget)
{
    TempFolder folder;
    writeBytes(folder.file("image.png"), former);
    writeBytes(folder.file("action.json"), former);
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit limit = saved;
    limit.rlim_cur = 64;
    const auto formerHandler = std::signal(SIGXFSZ, SIG_IGN);
    bool failed = false;
    {
        PendingFile image(folder.file("image.png"));
        PendingFile action(folder.file("action.json"));
        image.write("small");
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            action.write(std::string(1000, 'a'));
            commitTogether({&image, &action});
        } catch (const HostError& e) {
            failed = std::string(e.what()).find("action.json") != std::string::npos;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
    }
    std::signal(SIGXFSZ, formerHandler);
    EXPECT_TRUE(failed) << "the failure names the file";
    EXPECT_EQ(readBytes(folder.file("image.png")), former);
    EXPECT_EQ(readBytes(folder.file("action.json")), former);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"action.json", "image.png"}));
}

// A target that exists and is not a regular file is refused before anything is written.
TEST(PendingFileTest, OnlyARegularFileIsReplaced)
{
    TempFolder folder;
    ASSERT_EQ(mkfifo(folder.file("pipe").c_str(), 0600), 0);
    fs::create_directory(folder.file("folder"));
    fs::create_symlink("/dev/null", folder.file("null"));
    for (const char* name : {"pipe", "folder", "null"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(PendingFile pending(folder.file(name)), HostError);
    }
    struct stat info {};
    EXPECT_TRUE(lstat(folder.file("null").c_str(), &info) == 0 && S_ISLNK(info.st_mode));
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"folder", "null", "pipe"}));
}

} // namespace
} // namespace vendrel::test
