// The resource directory that the module's resource section carries: a header, then each resource with its
// type, id and size, its bytes padded to a multiple of 4.
#include <cstring>
#include <stdexcept>

#include "PIResources.h"
#include "Resources.h"

std::vector<ModuleResource> AllResources(EntryPointCode entryPoint)
{
    return {
        {"PIPL", kPIPropertyListResourceID, BuildPropertyList(entryPoint)},
        {"AETE", kPITerminologyResourceID, BuildTerminology()},
        {"DLOG", kPIDialogResourceID, BuildDialog()},
        {"BMP ", kPILogoBitmapResourceID, BuildLogoBitmap()},
    };
}

ResourceBytes BuildResourceDirectory(const std::vector<ModuleResource>& resources)
{
    ResourceWriter directory;
    directory.Text(kPIResourceMagic);
    directory.U32(kPIResourceDirectoryVersion);
    directory.U32(uint32_t(resources.size()));
    for (const ModuleResource& resource : resources) {
        if (resource.type.size() != 4)
            throw std::invalid_argument("a resource type has four characters: \"" + resource.type + "\"");
        directory.Text(resource.type);
        directory.I32(resource.id);
        directory.U32(uint32_t(resource.bytes.size()));
        directory.Bytes(resource.bytes);
        directory.PadTo(4);
    }
    return directory.Result();
}
