// File access for the plug-in's own small files (preferences, swatch files): only regular files are read, so
// that a FIFO or a device named where a file is expected can never block the host or feed it without end;
// files are replaced whole, so that a reader sees either the old file or the new one.
#pragma once

#include <cstddef>
#include <string>

// Reads at most maxBytes of the regular file at path into bytes. False when path is not a regular file or
// cannot be opened or read; bytes then holds nothing.
bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes);

// Replaces the file at path by one holding bytes: written to a new file of its own in the same folder, then
// renamed over path. False when any step fails; path is then unchanged and no temporary file is left.
bool ReplaceFileWith(const std::string& path, const std::string& bytes);

// Text files end their lines as the platform's text mode does: "\n" on Linux, "\r\n" on Windows. The first
// turns "\n" line ends into the platform's, the second turns the platform's back into "\n".
std::string ToPlatformText(const std::string& text);
std::string FromPlatformText(const std::string& text);
