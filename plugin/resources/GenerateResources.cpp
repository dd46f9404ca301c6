// Writes the module's resources: `vendrel_resgen OUTPUT` the resource directory of the Linux module's section,
// `vendrel_resgen --windows-res win32|win64 OUTPUT` a compiled resource file for the Windows module of that
// architecture. The file is written beside its final name and renamed into place, so that an interrupted
// build never leaves half a file.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "Resources.h"

namespace {

void WriteAtomically(const std::string& path, const ResourceBytes& bytes)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot rename " + temporary + " to " + path);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string usage = "usage: vendrel_resgen OUTPUT\n       vendrel_resgen --windows-res win32|win64 OUTPUT\n";
    try {
        if (argc == 2) {
            WriteAtomically(argv[1], BuildResourceDirectory(AllResources()));
            return 0;
        }
        if (argc == 4 && std::string(argv[1]) == "--windows-res") {
            const std::string architecture = argv[2];
            if (architecture != "win32" && architecture != "win64") {
                std::cerr << usage;
                return 2;
            }
            const EntryPointCode entryPoint =
                architecture == "win64" ? EntryPointCode::Win64X64 : EntryPointCode::Win32X86;
            WriteAtomically(argv[3], BuildWindowsResourceFile(AllResources(entryPoint)));
            return 0;
        }
        std::cerr << usage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "vendrel_resgen: " << error.what() << '\n';
        return 1;
    }
}
