// The filter object's lifetime across selectors and the entry point's result codes, seen through the module.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "vendrel/host/FilterHost.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::test {
namespace {

using vendrel::Descriptor;
using vendrel::FilterHost;
using vendrel::HostConfig;
using vendrel::HostImage;
using vendrel::PluginModule;

// A front end whose dialogs end with the given item (1 OK, 2 Cancel).
class EndingFrontEnd : public vendrel::FrontEnd {
public:
    explicit EndingFrontEnd(int32_t endingItem) : endingItem_(endingItem) {}
    int32_t runModal(vendrel::AdmDialog&) override { return endingItem_; }

private:
    int32_t endingItem_;
};

const PluginModule& Module()
{
    static std::unique_ptr<PluginModule> module = PluginModule::load(VENDREL_MODULE_PATH);
    return *module;
}

class ShellLifetime : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = HostImage::blank(8, 4);
        host = std::make_unique<FilterHost>(Module(), config);
        host->begin(image);
    }
    void TearDown() override
    {
        // Leave no object behind for the next test: the finish selector destroys it.
        if (host->data() != 0)
            host->call(filterSelectorFinish);
    }
    // Settings played without a dialog: the parameters selector stores them and answers 0.
    void PlayWithoutDialog() { host->setDescriptor(Descriptor{}, plugInDialogDontDisplay); }

    HostConfig config;
    HostImage image;
    std::unique_ptr<FilterHost> host;
};

TEST_F(ShellLifetime, AboutCreatesAndDestroysTheObject)
{
    EXPECT_EQ(host->data(), 0);
    host->call(filterSelectorAbout);
    EXPECT_EQ(host->data(), 0);
}

TEST_F(ShellLifetime, ObjectLivesFromParametersThroughContinueAndFinishDestroysIt)
{
    PlayWithoutDialog();
    ASSERT_EQ(host->call(filterSelectorParameters), 0);
    const intptr_t object = host->data();
    ASSERT_NE(object, 0);
    ASSERT_EQ(host->call(filterSelectorPrepare), 0);
    EXPECT_EQ(host->data(), object);
    EXPECT_EQ(host->call(filterSelectorFinish), 0);
    EXPECT_EQ(host->data(), 0);
}

TEST_F(ShellLifetime, UnknownSelectorsAnswerCannotRunAndDestroyTheObject)
{
    for (int16_t selector : {int16_t(6), int16_t(-1)}) {
        PlayWithoutDialog();
        ASSERT_EQ(host->call(filterSelectorParameters), 0);
        ASSERT_NE(host->data(), 0);
        EXPECT_EQ(host->call(selector), filterBadParameters) << selector;
        EXPECT_EQ(host->data(), 0) << selector;
    }
}

TEST_F(ShellLifetime, WithoutABasicSuiteTheSelectorsStillRunOnTheSameObject)
{
    PlayWithoutDialog();
    ASSERT_EQ(host->call(filterSelectorParameters), 0);
    const intptr_t object = host->data();
    SPBasicSuite* basic = host->record().sSPBasic;
    host->record().sSPBasic = nullptr;
    host->record().maxSpace = 123;
    EXPECT_EQ(host->call(filterSelectorPrepare), 0);
    EXPECT_EQ(host->record().maxSpace, 0);
    EXPECT_EQ(host->data(), object);
    host->record().sSPBasic = basic;
}

TEST_F(ShellLifetime, DefaultContinueAsksForNoMoreData)
{
    PlayWithoutDialog();
    ASSERT_EQ(host->call(filterSelectorParameters), 0);
    host->record().inRect = Rect{1, 2, 3, 4};
    host->record().outRect = Rect{5, 6, 7, 8};
    EXPECT_EQ(host->call(filterSelectorContinue), 0);
    const Rect& in = host->record().inRect;
    const Rect& out = host->record().outRect;
    EXPECT_EQ(in.top | in.left | in.bottom | in.right, 0);
    EXPECT_EQ(out.top | out.left | out.bottom | out.right, 0);
}

TEST(ShellCancel, CancelledParametersDestroysTheObjectAndTheNextSelectorMakesANewOne)
{
    EndingFrontEnd cancelling(2);
    HostConfig config;
    config.frontEnd = &cancelling;
    config.hostFolder = "/nonexistent";
    HostImage image = HostImage::blank(4, 4);
    FilterHost host(Module(), config);
    host.begin(image);
    host.setDescriptor(std::nullopt, plugInDialogDisplay);
    EXPECT_EQ(host.call(filterSelectorParameters), userCanceledErr);
    EXPECT_EQ(host.data(), 0);
    EXPECT_EQ(host.call(filterSelectorPrepare), 0);
    EXPECT_NE(host.data(), 0);
    host.call(filterSelectorFinish);
}

// No exception crosses the module boundary: a host procedure that fails with one answers the filter an error
// code instead (modules need not share a C++ runtime).
TEST(ShellException, AHostProcedureThatThrowsAnswersAnErrorCodeAndTheRunGoesOn)
{
    HostConfig config;
    int thrown = 0;
    config.colorRequestObserver = [&thrown](const ColorServicesInfo&) {
        ++thrown;
        throw std::bad_alloc();
    };
    HostImage image = HostImage::blank(4, 4);
    FilterHost host(Module(), config);
    host.begin(image);
    host.setDescriptor(Descriptor{}, plugInDialogDontDisplay);
    ASSERT_EQ(host.call(filterSelectorParameters), 0);
    host.setDescriptor(Descriptor{}, plugInDialogDontDisplay);
    // The failed conversion of the fill colour ends the run before any pixel is looked at. An exception that
    // reached the entry point would also answer "cannot run", but would leave the object in the data slot.
    EXPECT_EQ(host.call(filterSelectorStart), filterBadParameters);
    EXPECT_GT(thrown, 0);
    EXPECT_EQ(host.data(), 0);
}

// A one-colour swatch file whose red channel is 255: random area colours never reach 255 in a channel, so an
// area painted with it proves that the palette was found through the host's folder path.
void WriteOneColourSwatches(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder / "Color Swatches");
    const unsigned char bytes[] = {0, 1, 0, 1, 0, 0, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00};
    std::ofstream(folder / "Color Swatches" / "One.aco", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

uint8_t FilledRedChannel(const PluginModule& module, const std::set<std::string>& withoutSuites,
                         const std::filesystem::path& folder)
{
    HostConfig config;
    config.hostFolder = folder.string();
    config.withoutSuites = withoutSuites;
    HostImage image = HostImage::blank(4, 4);
    std::fill(image.pixels.begin(), image.pixels.end(), 255);
    Descriptor settings;
    settings.put(PIFourCC("PltF"), std::string("One.aco"));
    vendrel::RunOptions options;
    options.descriptor = settings;
    FilterHost host(module, config);
    EXPECT_EQ(host.run(image, options).result, 0);
    return image.pixels[0];
}

TEST(ShellHostPath, WithoutThePathSuiteThePaletteComesFromBesideTheModule)
{
    // The suite pointers outlive a run while the module stays loaded, so this needs a module of its own whose
    // first call finds no path suite: a copy of the module file loads as a separate instance. The palette lies
    // beside the copy only; the host's folder has none.
    const auto base = std::filesystem::temp_directory_path() / "vendrel-shell-hostpath";
    const auto moduleFolder = base / "module";
    const auto hostFolder = base / "host";
    WriteOneColourSwatches(moduleFolder);
    std::filesystem::create_directories(hostFolder);
    const auto copy = moduleFolder / "VendrelCopy.8bf";
    std::filesystem::copy_file(VENDREL_MODULE_PATH, copy, std::filesystem::copy_options::overwrite_existing);
    {
        const auto module = PluginModule::load(copy.string());
        EXPECT_EQ(FilledRedChannel(*module, {"Photoshop GetPath Suite for Plug-ins"}, hostFolder), 255);
        EXPECT_LT(FilledRedChannel(*module, {}, hostFolder), 255);
    } // unloaded before its file is removed, which Windows refuses while the module is loaded
    std::filesystem::remove_all(base);
}

} // namespace
} // namespace vendrel::test
