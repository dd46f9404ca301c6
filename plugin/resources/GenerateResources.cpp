// Writes the module's resource directory to the file named by the first argument. The file is written beside
// its final name and renamed into place, so that an interrupted build never leaves half a directory.
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
    if (argc != 2) {
        std::cerr << "usage: vendrel_resgen OUTPUT\n";
        return 2;
    }
    try {
        WriteAtomically(argv[1], BuildResourceDirectory(AllResources()));
    } catch (const std::exception& error) {
        std::cerr << "vendrel_resgen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
