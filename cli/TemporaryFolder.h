// A temporary folder that is removed when its owner is done with it, or, when its owner was killed before it
// could remove it, by the next command that makes one: every folder holds a lock its owner keeps while it
// lives, and a folder whose lock is free has no owner left.
#pragma once

#include <string>

namespace vendrel {

class TemporaryFolder {
public:
    // Makes "<TMPDIR>/<prefix>XXXXXX", after removing the abandoned folders of the same prefix. Throws
    // std::runtime_error.
    explicit TemporaryFolder(const std::string& prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    int lock_ = -1;
};

} // namespace vendrel
