#include "ModuleFolder.h"
#include "OwnCmykProfile.h"

// The profile ships beside the module, as it ships beside the command.
std::string OwnCmykProfilePath()
{
    const std::string folder = ModuleFolder();
    return folder.empty() ? std::string() : folder + "\\default_cmyk.icc";
}
