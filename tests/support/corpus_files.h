// Real files written by other tools, read from the shared corpus folder (VENDREL_CORPUS_DIR). Only the
// corpus-labelled tests read it, and only they skip when the folder is absent; a file missing from a folder that
// is present fails its test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vendrel::test {

// A fixture over Base that skips when the corpus folder is absent.
template <typename Base = ::testing::Test> class CorpusTest : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        if (!std::filesystem::is_directory(VENDREL_CORPUS_DIR)) {
            GTEST_SKIP() << "corpus folder " << VENDREL_CORPUS_DIR << " is absent";
        }
    }

    // The path of a corpus file ("images/x.tif"); a missing file fails the test.
    static std::string corpusFile(const std::string& relative)
    {
        std::string path = std::string(VENDREL_CORPUS_DIR) + "/" + relative;
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path << " is missing from the corpus";
        return path;
    }
};

} // namespace vendrel::test
