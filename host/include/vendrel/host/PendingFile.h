// A file being written that replaces its target only when it is finished. Its contents go to a temporary
// file in the target's folder: unnamed where the system allows it (so that nothing is left behind even when
// the process is killed), else created exclusively under a random hidden name, so that no planted file or
// link at a predictable name is ever followed. Several pending files can be put in place together.
#pragma once

#include <initializer_list>
#include <string>

namespace vendrel {

class PendingFile {
public:
    // Starts the temporary file beside target. Throws HostError naming target (missing folder, no right to
    // write, target is a folder).
    explicit PendingFile(std::string target);
    ~PendingFile(); // removes the temporary file unless it was put in place
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& target() const { return target_; }
    int descriptor() const { return fd_; }
    // Appends bytes to the contents. Throws HostError.
    void write(const std::string& bytes);
    // Puts this file alone in place.
    void commit();

private:
    friend void commitTogether(std::initializer_list<PendingFile*> files);
    void giveName();
    void closeFile(); // throws HostError when the written bytes did not reach the file
    void replaceTarget();
    void discardName();

    std::string target_;
    std::string name_; // the temporary file's name once it has one
    int fd_ = -1;
    bool placed_ = false;
};

// Puts every file in place only once each of them is ready: first every one gets a temporary name beside its
// target (any failure there leaves every target as it was), then each is renamed over its target.
// Throws HostError.
void commitTogether(std::initializer_list<PendingFile*> files);

} // namespace vendrel
