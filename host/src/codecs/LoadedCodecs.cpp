// The codecs loaded on first need from libvendrel-image-codecs.so: for the command, so that a run that reads or
// writes no image (its help, its palettes) never loads libvips and the hundred libraries it brings. The library
// is looked for beside the filter module of an installed command (PREFIX/lib/vendrel), else beside the command in
// its build folder. Once loaded it stays, even when refused: GLib, which it brings, cannot be unloaded.
//
// The library holds only the libvips code: what it uses of the host resolves against the command, which exports
// its symbols (ENABLE_EXPORTS) and links the host parts it uses whole, so that the cancel probe, the error types
// and the pixel buffers stay the command's own.
#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "ImageCodecs.h"

namespace vendrel {

namespace {

namespace fs = std::filesystem;

fs::path libraryPath()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return kImageCodecsLibrary;
    }
    const fs::path installed =
        executable.parent_path().parent_path() / VENDREL_INSTALL_MODULE_DIR / kImageCodecsLibrary;
    if (fs::exists(installed, error)) {
        return installed;
    }
    return executable.parent_path() / kImageCodecsLibrary;
}

// The table, or why there is none.
struct LoadedCodecs {
    const ImageCodecs* codecs = nullptr;
    std::string problem;
};

LoadedCodecs loadCodecs()
{
    const fs::path path = libraryPath();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return {nullptr,
                std::string("the image library ") + kImageCodecsLibrary + " cannot be loaded (" + dlerror() + ")"};
    }
    using Entry = const ImageCodecs* (*)(int32_t) noexcept;
    auto entry = reinterpret_cast<Entry>(dlsym(library, kImageCodecsEntry));
    if (entry == nullptr) {
        return {nullptr, path.string() + " is not the image library (it has no " + kImageCodecsEntry + ")"};
    }
    const ImageCodecs* codecs = entry(kImageCodecsVersion);
    if (codecs == nullptr) {
        return {nullptr, path.string() + " is an image library of another version of vendrel"};
    }
    return {codecs, {}};
}

const LoadedCodecs& loaded()
{
    static const LoadedCodecs codecs = loadCodecs();
    return codecs;
}

// The thread that loads the library ahead of its first use. A program that ends first waits for it at exit,
// never unloading the library under it.
class AheadLoading {
public:
    AheadLoading() = default;
    ~AheadLoading()
    {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    AheadLoading(const AheadLoading&) = delete;
    AheadLoading& operator=(const AheadLoading&) = delete;

    void start() noexcept
    {
        if (thread_.joinable()) {
            return;
        }
        try {
            thread_ = std::thread([] { loaded(); });
        } catch (const std::system_error&) {
            // No thread to spare: the first use loads the library itself.
        }
    }

private:
    std::thread thread_;
};

} // namespace

const ImageCodecs& imageCodecs()
{
    const LoadedCodecs& codecs = loaded();
    if (codecs.codecs == nullptr) {
        throw HostError(codecs.problem);
    }
    return *codecs.codecs;
}

void startLoadingImageCodecs() noexcept
{
    static AheadLoading ahead;
    ahead.start();
}

} // namespace vendrel
