// The filter record the host builds, advanceState, the run checks and the host's suites, through the built
// module.
#include <gtest/gtest.h>

#include <cstring>

#include "PIGetFileList.h"
#include "vendrel/host/ColorServices.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/HostHandles.h"
#include "record_fields.h"

namespace vendrel::test {
namespace {

using vendrel::FilterHost;
using vendrel::HostConfig;
using vendrel::HostError;
using vendrel::HostImage;
using vendrel::PluginModule;

// The built module, or null when it does not load (the test program is built after the module, so that is a
// broken module, and each test fails on it).
const PluginModule* Module()
{
    static std::unique_ptr<PluginModule> module = [] {
        try {
            return PluginModule::load(VENDREL_MODULE_PATH);
        } catch (const HostError&) {
            return std::unique_ptr<PluginModule>();
        }
    }();
    return module.get();
}

// A front end that records what the host asked of it and picks a fixed colour (or cancels).
class RecordingFrontEnd : public vendrel::FrontEnd {
public:
    std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3> start) override
    {
        pickerStarts.push_back(start);
        return choice;
    }
    void browseUrl(const std::string& url) override { urls.push_back(url); }
    void progress(int32_t done, int32_t total) override { progressCalls.emplace_back(done, total); }

    std::optional<std::array<uint8_t, 3>> choice;
    std::vector<std::array<uint8_t, 3>> pickerStarts;
    std::vector<std::string> urls;
    std::vector<std::pair<int32_t, int32_t>> progressCalls;
};

class FilterHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Module(), nullptr) << "the built module " << VENDREL_MODULE_PATH << " does not load";
        config.frontEnd = &frontEnd;
        config.hostFolder = "/opt/host folder";
    }

    FilterHost& Host()
    {
        if (!host)
            host = std::make_unique<FilterHost>(*Module(), config);
        return *host;
    }

    // Asks advanceState for a rectangle and planes of the begun image.
    OSErr Advance(int16 top, int16 left, int16 bottom, int16 right, int16 lo, int16 hi)
    {
        FilterRecord& record = Host().record();
        record.outRect = {top, left, bottom, right};
        record.outLoPlane = lo;
        record.outHiPlane = hi;
        record.outData = reinterpret_cast<void*>(0x1);
        return record.advanceState();
    }

    RecordingFrontEnd frontEnd;
    HostConfig config;
    std::unique_ptr<FilterHost> host;
};

TEST_F(FilterHostTest, TheRecordDescribesTheImage)
{
    HostImage image = HostImage::blank(7, 5, plugInModeRGBColor, true);
    Host().begin(image);
    const FilterRecord& record = Host().record();
    EXPECT_EQ(record.imageSize.v, 5);
    EXPECT_EQ(record.imageSize.h, 7);
    EXPECT_EQ(record.planes, 4);
    EXPECT_EQ(record.outLayerPlanes, 3);
    EXPECT_EQ(record.filterCase, filterCaseEditableTransparencyNoSelection);
    EXPECT_EQ(record.imageMode, plugInModeRGBColor);
    EXPECT_EQ(record.filterRect.bottom, 5);
    EXPECT_EQ(record.filterRect.right, 7);
    EXPECT_EQ(record.depth, 8);
    EXPECT_EQ(record.handleProcs, vendrel::hostHandleProcs());
    ASSERT_NE(record.descriptorParameters, nullptr);
    EXPECT_EQ(record.descriptorParameters->descriptorParametersVersion, 0);
    EXPECT_EQ(record.descriptorParameters->readDescriptorProcs->numReadDescriptorProcs, 18);
    EXPECT_EQ(record.descriptorParameters->writeDescriptorProcs->numWriteDescriptorProcs, 16);
    EXPECT_NE(record.sSPBasic, nullptr);
    EXPECT_NE(record.plugInRef, nullptr);
    EXPECT_NE(record.advanceState, nullptr);
    EXPECT_NE(record.colorServices, nullptr);
    EXPECT_NE(valueOf(record.abortProc), nullptr);
    EXPECT_NE(valueOf(record.progressProc), nullptr);

    HostImage flat = HostImage::blank(2, 2, plugInModeCMYKColor);
    Host().begin(flat);
    EXPECT_EQ(Host().record().filterCase, filterCaseFlatImageNoSelection);
    EXPECT_EQ(Host().record().planes, 4);
    EXPECT_EQ(Host().record().outLayerPlanes, 4);
}

TEST_F(FilterHostTest, AdvanceStateHandsTheRequestedPixelsInPlace)
{
    HostImage image = HostImage::blank(6, 4, plugInModeRGBColor, true);
    Host().begin(image);
    const FilterRecord& record = Host().record();

    ASSERT_EQ(Advance(0, 0, 4, 6, 0, 2), noErr);
    EXPECT_EQ(valueOf(record.outData), image.pixels.data());
    EXPECT_EQ(record.outRowBytes, 24);
    EXPECT_EQ(record.outColumnBytes, 4);
    EXPECT_EQ(record.outPlaneBytes, 1);

    ASSERT_EQ(Advance(2, 3, 4, 5, 1, 3), noErr);
    EXPECT_EQ(valueOf(record.outData), image.pixels.data() + 2 * 24 + 3 * 4 + 1);

    // Writing through the buffer changes the image itself.
    ASSERT_EQ(Advance(0, 0, 4, 6, 0, 3), noErr);
    static_cast<uint8_t*>(record.outData)[record.outRowBytes * 3 + record.outColumnBytes * 5 + 2] = 7;
    EXPECT_EQ(image.pixel(5, 3)[2], 7);
}

TEST_F(FilterHostTest, AdvanceStateGivesNothingForAnEmptyRectangle)
{
    HostImage image = HostImage::blank(6, 4);
    Host().begin(image);
    EXPECT_EQ(Advance(0, 0, 0, 0, 0, 2), noErr);
    EXPECT_EQ(valueOf(Host().record().outData), nullptr);
    EXPECT_EQ(Host().record().outRowBytes, 0);
}

TEST_F(FilterHostTest, AdvanceStateRefusesRequestsOutsideTheImage)
{
    HostImage image = HostImage::blank(6, 4);
    Host().begin(image);
    const struct {
        int16 top, left, bottom, right, lo, hi;
    } bad[] = {
        {0, 0, 5, 6, 0, 2},  // one row too many
        {0, 0, 4, 7, 0, 2},  // one column too many
        {-1, 0, 4, 6, 0, 2}, // above the image
        {0, -1, 4, 6, 0, 2}, // left of the image
        {3, 0, 1, 6, 0, 2},  // upside down
        {0, 0, 4, 6, 0, 3},  // a fourth plane of an RGB image
        {0, 0, 4, 6, 2, 1},  // planes reversed
        {0, 0, 4, 6, -1, 2}, // a negative plane
    };
    for (const auto& request : bad) {
        EXPECT_NE(Advance(request.top, request.left, request.bottom, request.right, request.lo, request.hi), noErr)
            << request.top << "," << request.left << "," << request.bottom << "," << request.right << " planes "
            << request.lo << ".." << request.hi;
        EXPECT_EQ(valueOf(Host().record().outData), nullptr);
    }
}

TEST_F(FilterHostTest, ImagesInModesTheModuleDoesNotEnableAreRefusedBeforeAnySelector)
{
    HostImage gray = HostImage::blank(4, 4, plugInModeGrayScale);
    try {
        Host().run(gray);
        FAIL() << "a grayscale image was run";
    } catch (const HostError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("supports RGB, CMYK images only"), std::string::npos) << message;
        EXPECT_NE(message.find("Grayscale"), std::string::npos) << message;
    }
    EXPECT_TRUE(Host().parametersBytes().empty());
    EXPECT_EQ(Host().data(), 0);
    EXPECT_TRUE(frontEnd.progressCalls.empty());
}

TEST_F(FilterHostTest, ImagesLargerThan32767AreRefusedBeforeAnySelector)
{
    HostImage wide;
    wide.width = 32768;
    wide.height = 1;
    wide.pixels.assign(size_t(32768) * 3, 0);
    try {
        Host().run(wide);
        FAIL() << "a 32768-pixel-wide image was run";
    } catch (const HostError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "the image is 32768 x 1 pixels; the largest the filter accepts is 32767 in either direction");
    }
    HostImage tall = HostImage::blank(1, 32768);
    EXPECT_THROW(Host().run(tall), HostError);
    EXPECT_TRUE(Host().parametersBytes().empty());
    EXPECT_EQ(Host().data(), 0);
}

TEST_F(FilterHostTest, ImagesWhosePixelsDoNotAddUpAreRefused)
{
    HostImage image = HostImage::blank(4, 4);
    image.pixels.resize(image.pixels.size() - 1);
    EXPECT_THROW(Host().run(image), HostError);
    EXPECT_THROW(Host().begin(image), HostError);
}

TEST_F(FilterHostTest, SuitesAreFoundByNameAndVersionAndHiddenOnesAreMissing)
{
    config.withoutSuites = {kPSGetPathSuite};
    HostImage image = HostImage::blank(2, 2);
    Host().begin(image);
    SPBasicSuite* basic = Host().record().sSPBasic;

    const void* suite = nullptr;
    ASSERT_EQ(basic->AcquireSuite(kPSGetFileListSuite, kPSGetFileListSuiteVersion5, &suite), kSPNoError);
    EXPECT_NE(suite, nullptr);

    const void* untouched = reinterpret_cast<const void*>(0x5);
    suite = untouched;
    EXPECT_EQ(basic->AcquireSuite(kPSGetFileListSuite, 4, &suite), kSPSuiteNotFoundError);
    EXPECT_EQ(suite, untouched);
    EXPECT_EQ(basic->AcquireSuite(kPSGetPathSuite, kPSGetPathSuiteVersion1, &suite), kSPSuiteNotFoundError);
    EXPECT_EQ(suite, untouched);
    EXPECT_EQ(basic->AcquireSuite("No Such Suite", 1, &suite), kSPSuiteNotFoundError);
    EXPECT_EQ(suite, untouched);
}

TEST_F(FilterHostTest, TheFileSuitesGiveTheHostFolderAndOpenWebLinks)
{
    HostImage image = HostImage::blank(2, 2);
    Host().begin(image);
    SPBasicSuite* basic = Host().record().sSPBasic;
    const void* suite = nullptr;
    ASSERT_EQ(basic->AcquireSuite(kPSGetFileListSuite, kPSGetFileListSuiteVersion5, &suite), kSPNoError);
    const auto* fileList = static_cast<const PSGetFileListSuite5*>(suite);
    ASSERT_EQ(basic->AcquireSuite(kPSGetPathSuite, kPSGetPathSuiteVersion1, &suite), kSPNoError);
    const auto* getPath = static_cast<const PSGetPathSuite1*>(suite);

    SPPlatformFileSpecification folder;
    std::memset(&folder, 'x', sizeof folder);
    ASSERT_EQ(fileList->GetHostFolder(&folder), kSPNoError);
    char path[2048];
    ASSERT_EQ(getPath->GetPathName(&folder, path, sizeof path), kSPNoError);
    EXPECT_STREQ(path, "/opt/host folder");

    char shortPath[5];
    std::memset(shortPath, 'x', sizeof shortPath);
    ASSERT_EQ(getPath->GetPathName(&folder, shortPath, sizeof shortPath), kSPNoError);
    EXPECT_STREQ(shortPath, "/opt");
    EXPECT_NE(getPath->GetPathName(&folder, shortPath, 0), kSPNoError);

    ASSERT_EQ(fileList->BrowseUrl("https://example.org/vendrel"), kSPNoError);
    EXPECT_EQ(frontEnd.urls, std::vector<std::string>{"https://example.org/vendrel"});
}

TEST_F(FilterHostTest, ThePickerStartsFromTheColourAndAnswersInTheResultSpace)
{
    std::vector<ColorServicesInfo> seen;
    config.colorRequestObserver = [&](const ColorServicesInfo& info) { seen.push_back(info); };
    frontEnd.choice = std::array<uint8_t, 3>{255, 255, 255};
    HostImage image = HostImage::blank(2, 2);
    Host().begin(image);

    ColorServicesInfo info{};
    info.infoSize = kColorServicesInfoSize;
    info.selector = plugIncolorServicesChooseColor;
    info.sourceSpace = plugIncolorServicesRGBSpace;
    info.resultSpace = plugIncolorServicesLabSpace;
    info.colorComponents[0] = 10;
    info.colorComponents[1] = 20;
    info.colorComponents[2] = 30;
    ASSERT_EQ(Host().record().colorServices(&info), noErr);
    ASSERT_EQ(frontEnd.pickerStarts.size(), 1u);
    EXPECT_EQ(frontEnd.pickerStarts[0], (std::array<uint8_t, 3>{10, 20, 30}));
    EXPECT_NEAR(info.colorComponents[0], 255, 1);
    EXPECT_NEAR(info.colorComponents[1], 128, 1);
    EXPECT_NEAR(info.colorComponents[2], 128, 1);
    // The observer saw the request as it was made, before the answer.
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].colorComponents[0], 10);
    EXPECT_EQ(seen[0].resultSpace, plugIncolorServicesLabSpace);
}

TEST_F(FilterHostTest, ACancelledPickerAnswersCancelledAndLeavesTheColour)
{
    HostImage image = HostImage::blank(2, 2);
    Host().begin(image);
    ColorServicesInfo info{};
    info.infoSize = kColorServicesInfoSize;
    info.selector = plugIncolorServicesChooseColor;
    info.sourceSpace = plugIncolorServicesRGBSpace;
    info.resultSpace = plugIncolorServicesRGBSpace;
    info.colorComponents[0] = 1;
    info.colorComponents[1] = 2;
    info.colorComponents[2] = 3;
    EXPECT_EQ(Host().record().colorServices(&info), userCanceledErr);
    EXPECT_EQ(info.colorComponents[0], 1);
    EXPECT_EQ(info.colorComponents[1], 2);
    EXPECT_EQ(info.colorComponents[2], 3);
}

TEST_F(FilterHostTest, DescriptorsHandedToTheFilterAreFreshCopies)
{
    HostImage image = HostImage::blank(2, 2);
    Host().begin(image);
    vendrel::Descriptor descriptor;
    descriptor.put(PIFourCC("Tlrn"), int32_t(12));
    Host().setDescriptor(descriptor, plugInDialogDontDisplay);
    PIDescriptorParameters* parameters = Host().record().descriptorParameters;
    EXPECT_EQ(parameters->playInfo, plugInDialogDontDisplay);
    const PIDescriptorHandle first = parameters->descriptor;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Host().currentDescriptor(), descriptor);

    Host().setDescriptor(descriptor, plugInDialogDisplay);
    EXPECT_EQ(parameters->playInfo, plugInDialogDisplay);
    EXPECT_FALSE(vendrel::isLiveHostHandle(reinterpret_cast<Handle>(first)));
    EXPECT_EQ(Host().currentDescriptor(), descriptor);

    Host().setDescriptor(std::nullopt, plugInDialogDontDisplay);
    EXPECT_EQ(parameters->descriptor, nullptr);
    EXPECT_FALSE(Host().currentDescriptor().has_value());
}

// Every setting of the filter, so that a played run does not depend on preferences left by other runs.
vendrel::Descriptor FullSettings(int32_t tolerance)
{
    using vendrel::Descriptor;
    Descriptor settings;
    settings.put(PIFourCC("BckC"), vendrel::colorObject({65535, 65535, 65535}));
    settings.put(PIFourCC("Clr "), vendrel::colorObject({65535, 0, 65535}));
    settings.put(PIFourCC("PltF"), std::string());
    settings.put(PIFourCC("Tlrn"), tolerance);
    settings.put(PIFourCC("RanD"), true);
    settings.put(PIFourCC("Ar  "), false);
    settings.put(PIFourCC("FlaG"), false);
    settings.put(PIFourCC("JoiN"), false);
    settings.put(PIFourCC("FlgS"), int32_t(20));
    settings.put(PIFourCC("JinS"), int32_t(10));
    return settings;
}

class AbortingFrontEnd : public RecordingFrontEnd {
public:
    bool abortRequested() override { return true; }
};

TEST_F(FilterHostTest, APlayedRunRecordsTheSettingsAndKeepsTheParametersHandle)
{
    HostImage image = HostImage::blank(4, 3);
    vendrel::RunOptions options;
    options.descriptor = FullSettings(5);
    const vendrel::RunResult first = Host().run(image, options);
    EXPECT_EQ(first.result, 0);
    EXPECT_EQ(first.failedSelector, -1);
    ASSERT_TRUE(first.recorded.has_value());
    ASSERT_NE(first.recorded->find(PIFourCC("Tlrn")), nullptr);
    EXPECT_EQ(std::get<int32_t>(*first.recorded->find(PIFourCC("Tlrn"))), 5);
    EXPECT_EQ(Host().parametersBytes().size(), 296u);
    EXPECT_EQ(Host().data(), 0);
    EXPECT_FALSE(frontEnd.progressCalls.empty());

    HostImage second = HostImage::blank(4, 3);
    options.descriptor = FullSettings(9);
    const vendrel::RunResult again = Host().run(second, options);
    EXPECT_EQ(again.result, 0);
    EXPECT_EQ(std::get<int32_t>(*again.recorded->find(PIFourCC("Tlrn"))), 9);
    EXPECT_EQ(Host().parametersBytes().size(), 296u);
}

TEST_F(FilterHostTest, AnAbortedRunEndsWithCancelledAndClearsTheDataSlot)
{
    AbortingFrontEnd aborting;
    config.frontEnd = &aborting;
    HostImage image = HostImage::blank(4, 3);
    vendrel::RunOptions options;
    options.descriptor = FullSettings(0);
    const size_t handlesBefore = vendrel::liveHostHandles();
    const vendrel::RunResult result = Host().run(image, options);
    EXPECT_EQ(result.result, userCanceledErr);
    EXPECT_EQ(result.failedSelector, filterSelectorStart);
    EXPECT_TRUE(result.recorded.has_value()); // the settings are written back after an abort too
    EXPECT_EQ(Host().data(), 0);
    EXPECT_EQ(valueOf(Host().record().outData), nullptr);
    EXPECT_EQ(Host().record().descriptorParameters->descriptor, nullptr);
    // What remains is the parameters handle the host keeps for the next run.
    EXPECT_EQ(vendrel::liveHostHandles(), handlesBefore + (Host().parametersBytes().empty() ? 0 : 1));
}

TEST_F(FilterHostTest, AFailedParametersSelectorEndsTheRunThere)
{
    config.withoutSuites = {"ADM Dialog Suite"};
    HostImage image = HostImage::blank(4, 3);
    vendrel::RunOptions options;
    options.showDialog = true;
    const vendrel::RunResult result = Host().run(image, options);
    EXPECT_NE(result.result, 0);
    EXPECT_EQ(result.failedSelector, filterSelectorParameters);
    EXPECT_FALSE(result.recorded.has_value());
    EXPECT_EQ(Host().data(), 0);
    EXPECT_TRUE(frontEnd.progressCalls.empty()); // start never ran
    EXPECT_EQ(image.pixels, HostImage::blank(4, 3).pixels);
}

TEST(HostImages, BlankImagesArePlaneCountedAndWhite)
{
    const HostImage cmyk = HostImage::blank(3, 2, plugInModeCMYKColor, true);
    EXPECT_EQ(cmyk.colorPlanes, 4);
    EXPECT_EQ(cmyk.planes, 5);
    EXPECT_EQ(cmyk.pixels.size(), 30u);
    EXPECT_EQ(HostImage::blank(3, 2, plugInModeGrayScale).planes, 1);
    EXPECT_EQ(HostImage::blank(3, 2).planes, 3);
    EXPECT_EQ(vendrel::imageModeName(plugInModeCMYKColor), "CMYK");
    EXPECT_EQ(vendrel::imageModeName(plugInModeGrayScale), "Grayscale");
}

} // namespace
} // namespace vendrel::test
