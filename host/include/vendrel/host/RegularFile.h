// Reading files that must be ordinary files: a FIFO, a device or a folder given where a file is expected
// would block the read, never end or make no sense, so it is refused before anything is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vendrel {

// Opens path for reading when it is a regular file of at most maxBytes (following symbolic links) and answers
// the open descriptor, which the caller closes. Throws HostError naming the file and what it is instead.
int openRegularFile(const std::string& path, uint64_t maxBytes);

// The bytes of a regular file of at most maxBytes. Throws HostError as openRegularFile does.
std::vector<uint8_t> readRegularFile(const std::string& path, uint64_t maxBytes);

// Whether path names a regular file (following symbolic links); never blocks.
bool isRegularFile(const std::string& path);

// Refuses, before anything is written, a target that exists and is not a regular file (following symbolic
// links): writing a result would replace a folder, a FIFO, a device such as /dev/null or a socket by a file.
// Throws HostError naming the file and what it is. A missing target is fine.
void checkReplaceableFile(const std::string& path);

} // namespace vendrel
