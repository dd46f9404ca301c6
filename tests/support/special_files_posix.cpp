#include "special_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vendrel::test {

void MakeFifoWherePossible(const std::string& path)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
}

} // namespace vendrel::test
