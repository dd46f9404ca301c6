#include "VipsLibrary.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include <gmodule.h>
#include <vips/vips.h>

#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

// libvips loads its modules from under the prefix that VIPSHOME names, when it is set. No folder can lie under
// /dev/null, so with it the library starts with its built-in formats alone.
constexpr const char* prefixWithoutModules = "/dev/null";

// Sets an environment variable for the life of the object, then puts back what was there.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const char* value) : name_(name)
    {
        if (const char* former = std::getenv(name)) {
            former_ = former;
        }
        setenv(name, value, 1);
    }
    ~EnvironmentOverride()
    {
        if (former_) {
            setenv(name_, former_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    const char* name_;
    std::optional<std::string> former_;
};

// Where the library keeps its optional modules: beside the library itself, in a folder named for its version. The
// library is found from the address of one of its functions, which holds also where it was loaded privately, as a
// dependency of the codecs library, and no lookup by name would find it.
std::filesystem::path moduleFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&vips_init), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    const std::string folder =
        "vips-modules-" + std::to_string(vips_version(0)) + "." + std::to_string(vips_version(1));
    return std::filesystem::path(info.dli_fname).parent_path() / folder;
}

// Loads one module as the library itself would: for good, since the types it registers cannot be taken back.
bool loadModule(const std::filesystem::path& path)
{
    GModule* module = g_module_open(path.c_str(), G_MODULE_BIND_LAZY);
    if (module == nullptr) {
        return false;
    }
    g_module_make_resident(module);
    return true;
}

} // namespace

void ensureVips()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        {
            // The optional modules (HEIF, JPEG XL, ImageMagick, OpenSlide, PDF), with the libraries they bring,
            // take most of the library's start-up, and the host's own formats are built in: they are loaded
            // only for a file that no built-in loader reads. The variable is set while the library starts
            // alone, before the host starts any thread of its own.
            const EnvironmentOverride noModules("VIPSHOME", prefixWithoutModules);
            ready = VIPS_INIT("vendrel") == 0;
        }
        if (ready) {
            // Every image is read once and written once: a cache only keeps memory alive.
            vips_cache_set_max(0);
            // The library's warnings would break the host's one-line messages; its errors are reported.
            g_log_set_handler(
                "VIPS", G_LOG_LEVEL_WARNING, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
        }
    });
    if (!ready) {
        throw HostError("the image library (libvips) could not be started");
    }
}

bool loadOptionalVipsModules()
{
    static std::once_flag once;
    bool loaded = false;
    std::call_once(once, [&loaded] {
        const std::filesystem::path folder = moduleFolder();
        std::error_code error;
        for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            if (entry->path().extension() == "." G_MODULE_SUFFIX && loadModule(entry->path())) {
                loaded = true;
            }
        }
    });
    return loaded;
}

} // namespace vendrel
