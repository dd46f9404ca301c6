// Real files written by other tools, read from the folder that CTest names in VENDREL_CORPUS_DIR. Only the
// corpus-labelled tests read it, and only they skip when it is absent (or not named); a file missing from a
// folder that is present fails its test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vendrel::test {

// A fixture over Base that skips when the corpus folder is absent.
template <typename Base = ::testing::Test> class CorpusTest : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        if (!std::filesystem::is_directory(folder())) {
            GTEST_SKIP() << "corpus folder '" << folder() << "' is absent";
        }
    }

    static std::string folder()
    {
        const char* named = std::getenv("VENDREL_CORPUS_DIR");
        return named != nullptr ? named : "";
    }

    // The path of a corpus file ("images/x.tif"); a missing file fails the test.
    static std::string corpusFile(const std::string& relative)
    {
        std::string path = folder() + "/" + relative;
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path << " is missing from the corpus";
        return path;
    }
};

} // namespace vendrel::test
