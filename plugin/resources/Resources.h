// The module's resources: one builder per resource, and the directory that carries them in the module file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ResourceBytes.h"

// Which entry-point property the property list carries: the 32-bit Windows code ('wx86', also what the Linux
// module carries) or the 64-bit Windows code ('8664').
enum class EntryPointCode { Win32X86, Win64X64 };

// The plug-in property list ("PIPL" 16000): how the host finds, names and enables the filter.
ResourceBytes BuildPropertyList(EntryPointCode entryPoint = EntryPointCode::Win32X86);
// The scripting terminology ("AETE" 16000): the names and types of the descriptor keys.
ResourceBytes BuildTerminology();
// The dialog frame with its OK and Cancel buttons ("DLOG" 16001).
ResourceBytes BuildDialog();
// The 48 x 48 logo ("BMP " 16009): a bitmap info header and bottom-up rows of blue, green, red bytes.
ResourceBytes BuildLogoBitmap();

struct ModuleResource {
    std::string type; // four characters as they read: "PIPL"
    int32_t id;
    ResourceBytes bytes;
};

// Every resource of the module.
std::vector<ModuleResource> AllResources(EntryPointCode entryPoint = EntryPointCode::Win32X86);
// The resource directory of the module's resource section.
ResourceBytes BuildResourceDirectory(const std::vector<ModuleResource>& resources);
// The same resources as a Windows compiled resource file (.res), for the Windows module.
ResourceBytes BuildWindowsResourceFile(const std::vector<ModuleResource>& resources);
