// The swatch folder's listing, written once over a file-system library: the platform's file picks the library
// (Boost.Filesystem on Linux, the standard library on Windows, whose toolchain has no Boost). Entries come in
// the library's enumeration order, which is the system's.
#pragma once

#include <functional>
#include <string>

template <typename Path, typename DirectoryIterator> struct SwatchListing {
    // The extension of a file name: from its last '.' to the end. The libraries treat a name whose only '.' is
    // its first character as having no extension; such a name is its own extension here.
    static std::string ExtensionOf(const Path& fileName)
    {
        const std::string extension = fileName.extension().string();
        if (!extension.empty())
            return extension;
        const std::string name = fileName.string();
        if (name.size() > 1 && name.front() == '.' && name.find('.', 1) == std::string::npos)
            return name;
        return extension;
    }

    static bool IsSwatchFileName(const std::string& fileName) { return ExtensionOf(Path(fileName)) == ".aco"; }

    static void List(const std::string& folder, const std::function<void(const std::string&)>& addName)
    {
        try {
            const DirectoryIterator end;
            for (DirectoryIterator it{Path(folder)}; it != end; ++it) {
                const std::string fileName = it->path().filename().string();
                if (IsSwatchFileName(fileName))
                    addName(fileName);
            }
        } catch (...) {
            // A missing or unreadable folder, or a failure while stepping on: keep what was handed over.
        }
    }
};
