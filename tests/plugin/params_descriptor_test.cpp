// The settings in the host's scripting descriptor, read and written through the host's own procedures.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "CVendrel.h"
#include "vendrel/host/Descriptor.h"
#include "vendrel/host/HostHandles.h"

#include "params_descriptor_keys.h"

namespace vendrel::test {
namespace {

using vendrel::Descriptor;
using vendrel::DescriptorObject;

DescriptorObject Color(int32_t red, int32_t green, int32_t blue)
{
    auto components = std::make_shared<Descriptor>();
    components->put(kRed, red);
    components->put(kGreen, green);
    components->put(kBlue, blue);
    return DescriptorObject{kRGBC, components};
}

// A record whose every field differs from both the defaults and the values the tests put in descriptors.
CVendrelParams Baseline()
{
    CVendrelParams params;
    params.fillColor[0] = 11;
    params.fillColor[1] = 12;
    params.fillColor[2] = 13;
    params.flagColor[0] = 21;
    params.flagColor[1] = 22;
    params.flagColor[2] = 23;
    params.SetPaletteFile("Baseline.aco");
    params.tolerance = 5;
    params.flagSize = 55;
    params.joinSize = 66;
    return params;
}

class ParamsDescriptor : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(&record, 0, sizeof record);
        std::memset(&parameters, 0, sizeof parameters);
        parameters.descriptorParametersVersion = 0;
        parameters.playInfo = plugInDialogDontDisplay;
        parameters.recordInfo = plugInDialogNone;
        parameters.readDescriptorProcs = vendrel::hostReadDescriptorProcs();
        parameters.writeDescriptorProcs = vendrel::hostWriteDescriptorProcs();
        record.descriptorParameters = &parameters;
        record.handleProcs = vendrel::hostHandleProcs();
        filter.SetRecords(&record, nullptr);
        liveBefore = vendrel::liveHostHandles();
    }

    void TearDown() override
    {
        vendrel::disposeHostHandle(reinterpret_cast<Handle>(parameters.descriptor));
        EXPECT_EQ(vendrel::liveHostHandles(), liveBefore) << "host handles left behind";
    }

    void Give(const Descriptor& descriptor) { parameters.descriptor = vendrel::newDescriptorHandle(descriptor); }

    Descriptor Written() const
    {
        std::optional<Descriptor> written = vendrel::descriptorFromHandle(parameters.descriptor);
        EXPECT_TRUE(written.has_value());
        return written.value_or(Descriptor{});
    }

    FilterRecord record;
    PIDescriptorParameters parameters;
    CVendrel filter;
    size_t liveBefore = 0;
};

TEST_F(ParamsDescriptor, EveryKeyIsReadIntoTheRecordAndTheDescriptorIsConsumed)
{
    Descriptor descriptor;
    descriptor.put(kFlagColor, Color(1000, 2000, 3000));
    descriptor.put(kFillColor, Color(65535, 0, 32768));
    descriptor.put(kPalette, std::string("Pastels.aco"));
    descriptor.put(kTolerance, int32_t(42));
    descriptor.put(kRandom, true);
    descriptor.put(kMeasure, true);
    descriptor.put(kFlagAreas, true);
    descriptor.put(kJoinAreas, true);
    descriptor.put(kFlagSize, int32_t(300));
    descriptor.put(kJoinSize, int32_t(7));
    Give(descriptor);

    CVendrelParams params;
    EXPECT_FALSE(filter.ReadDescriptor(params)) << "played without a dialog";
    EXPECT_EQ(params.flagColor[0], 1000);
    EXPECT_EQ(params.flagColor[1], 2000);
    EXPECT_EQ(params.flagColor[2], 3000);
    EXPECT_EQ(params.fillColor[0], 65535);
    EXPECT_EQ(params.fillColor[1], 0);
    EXPECT_EQ(params.fillColor[2], 32768);
    EXPECT_STREQ(params.paletteFile, "Pastels.aco");
    EXPECT_EQ(params.tolerance, 42);
    EXPECT_TRUE(params.randomColors);
    EXPECT_TRUE(params.measureArea);
    EXPECT_TRUE(params.flagAreas);
    EXPECT_TRUE(params.joinAreas);
    EXPECT_EQ(params.flagSize, 300);
    EXPECT_EQ(params.joinSize, 7);
    EXPECT_EQ(parameters.descriptor, nullptr);
}

TEST_F(ParamsDescriptor, PlayedWithTheDialogTheRecordIsStillOverlaid)
{
    Descriptor descriptor;
    descriptor.put(kTolerance, int32_t(9));
    Give(descriptor);
    parameters.playInfo = plugInDialogDisplay;
    CVendrelParams params;
    EXPECT_TRUE(filter.ReadDescriptor(params));
    EXPECT_EQ(params.tolerance, 9);
}

TEST_F(ParamsDescriptor, AToleranceAbove65535KeepsItsLow16Bits)
{
    Descriptor descriptor;
    descriptor.put(kTolerance, int32_t(70000));
    Give(descriptor);
    CVendrelParams params = Baseline();
    EXPECT_FALSE(filter.ReadDescriptor(params));
    EXPECT_EQ(params.tolerance, 4464);
    const CVendrelParams baseline = Baseline();
    EXPECT_EQ(0, std::memcmp(params.fillColor, baseline.fillColor, sizeof params.fillColor));
    EXPECT_EQ(0, std::memcmp(params.flagColor, baseline.flagColor, sizeof params.flagColor));
    EXPECT_STREQ(params.paletteFile, "Baseline.aco");
    EXPECT_EQ(params.flagSize, 55);
    EXPECT_EQ(params.joinSize, 66);
    EXPECT_FALSE(params.randomColors || params.measureArea || params.flagAreas || params.joinAreas);
}

TEST_F(ParamsDescriptor, AColourObjectWithOnlyRedStartsFromBlack)
{
    auto components = std::make_shared<Descriptor>();
    components->put(kRed, int32_t(100));
    Descriptor descriptor;
    descriptor.put(kFillColor, DescriptorObject{kRGBC, components});
    Give(descriptor);
    CVendrelParams params = Baseline();
    filter.ReadDescriptor(params);
    EXPECT_EQ(params.fillColor[0], 100);
    EXPECT_EQ(params.fillColor[1], 0);
    EXPECT_EQ(params.fillColor[2], 0);
    EXPECT_EQ(params.flagColor[0], 21) << "the other colour is not in the descriptor";
}

TEST_F(ParamsDescriptor, ColourComponentsKeepTheirLow16BitsAndUnknownComponentsAreSkipped)
{
    auto components = std::make_shared<Descriptor>();
    components->put(PIFourCC("Alph"), int32_t(5));
    components->put(kBlue, int32_t(65536 + 7));
    components->put(kGreen, int32_t(-1));
    Descriptor descriptor;
    descriptor.put(kFlagColor, DescriptorObject{kRGBC, components});
    Give(descriptor);
    CVendrelParams params = Baseline();
    filter.ReadDescriptor(params);
    EXPECT_EQ(params.flagColor[0], 0);
    EXPECT_EQ(params.flagColor[1], 65535);
    EXPECT_EQ(params.flagColor[2], 7);
}

TEST_F(ParamsDescriptor, APaletteNameOf300CharactersKeepsItsFirst255)
{
    std::string name(300, ' ');
    for (size_t i = 0; i < name.size(); ++i)
        name[i] = char('A' + i % 26);
    Descriptor descriptor;
    descriptor.put(kPalette, name);
    Give(descriptor);
    CVendrelParams params;
    filter.ReadDescriptor(params);
    EXPECT_EQ(std::string(params.paletteFile), name.substr(0, 255));
}

TEST_F(ParamsDescriptor, KeysTheRecordDoesNotKnowAreSkipped)
{
    Descriptor descriptor;
    descriptor.put(PIFourCC("Xtra"), int32_t(123));
    descriptor.put(PIFourCC("Name"), std::string("ignored"));
    descriptor.put(kJoinSize, int32_t(3));
    Give(descriptor);
    CVendrelParams params = Baseline();
    filter.ReadDescriptor(params);
    EXPECT_EQ(params.joinSize, 3);
    EXPECT_EQ(params.flagSize, 55);
    EXPECT_EQ(params.tolerance, 5);
}

TEST_F(ParamsDescriptor, AValueOfTheWrongTypeLeavesItsFieldAsItWas)
{
    Descriptor descriptor;
    descriptor.put(kTolerance, std::string("ten"));
    descriptor.put(kFillColor, int32_t(1));
    descriptor.put(kPalette, int32_t(2));
    Give(descriptor);
    CVendrelParams params = Baseline();
    filter.ReadDescriptor(params);
    EXPECT_EQ(params.tolerance, 5);
    EXPECT_EQ(params.fillColor[0], 11);
    EXPECT_STREQ(params.paletteFile, "Baseline.aco");
}

TEST_F(ParamsDescriptor, WithoutDescriptorParametersReadingAsksForTheDialogAndChangesNothing)
{
    record.descriptorParameters = nullptr;
    CVendrelParams params = Baseline();
    EXPECT_TRUE(filter.ReadDescriptor(params));
    EXPECT_EQ(params.tolerance, 5);
    EXPECT_STREQ(params.paletteFile, "Baseline.aco");
}

TEST_F(ParamsDescriptor, AnIncompleteInterfaceCountsAsUnavailable)
{
    Descriptor descriptor;
    descriptor.put(kTolerance, int32_t(9));
    Give(descriptor);

    ReadDescriptorProcs shortRead = *vendrel::hostReadDescriptorProcs();
    shortRead.numReadDescriptorProcs = 17;
    ReadDescriptorProcs missingRead = *vendrel::hostReadDescriptorProcs();
    missingRead.getPinnedUnitFloatProc = nullptr;
    WriteDescriptorProcs shortWrite = *vendrel::hostWriteDescriptorProcs();
    shortWrite.numWriteDescriptorProcs = 15;

    const auto expectUnavailable = [&](const char* what) {
        CVendrelParams params = Baseline();
        EXPECT_TRUE(filter.ReadDescriptor(params)) << what;
        EXPECT_EQ(params.tolerance, 5) << what;
        EXPECT_NE(parameters.descriptor, nullptr) << what << ": the descriptor is not consumed";
        parameters.readDescriptorProcs = vendrel::hostReadDescriptorProcs();
        parameters.writeDescriptorProcs = vendrel::hostWriteDescriptorProcs();
        parameters.descriptorParametersVersion = 0;
    };
    parameters.descriptorParametersVersion = 1;
    expectUnavailable("descriptor parameters of version 1");
    parameters.readDescriptorProcs = &shortRead;
    expectUnavailable("17 read procedures");
    parameters.readDescriptorProcs = &missingRead;
    expectUnavailable("a missing read procedure");
    parameters.writeDescriptorProcs = &shortWrite;
    expectUnavailable("15 write procedures");
    parameters.writeDescriptorProcs = nullptr;
    expectUnavailable("no write procedures");
}

TEST_F(ParamsDescriptor, WritingRecordsEverySettingInOrderWithFourEntryColourObjects)
{
    Give(Descriptor{}); // the descriptor the host handed in is replaced
    const PIDescriptorHandle handedIn = parameters.descriptor;
    CVendrelParams params;
    params.fillColor[0] = 1;
    params.fillColor[1] = 2;
    params.fillColor[2] = 3;
    params.flagColor[0] = 65535;
    params.flagColor[1] = 0;
    params.flagColor[2] = 40000;
    params.SetPaletteFile("Pastels.aco");
    params.tolerance = 65535;
    params.randomColors = true;
    params.measureArea = false;
    params.flagAreas = true;
    params.joinAreas = false;
    params.flagSize = 20;
    params.joinSize = 10;
    params.reservedFlag = 1;
    filter.WriteDescriptor(params);

    EXPECT_FALSE(vendrel::isLiveHostHandle(reinterpret_cast<Handle>(handedIn)));
    EXPECT_EQ(parameters.recordInfo, plugInDialogOptional);
    const Descriptor written = Written();
    const auto& entries = written.entries();
    const DescriptorKeyID order[] = {kFillColor, kFlagColor, kPalette,   kTolerance, kRandom,
                                     kMeasure,   kFlagAreas, kJoinAreas, kFlagSize,  kJoinSize};
    ASSERT_EQ(entries.size(), std::size(order));
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(entries[i].key, order[i]) << "entry " << i << " is " << vendrel::fourCCText(entries[i].key);

    const auto expectColor = [](const vendrel::DescriptorValue& value, int32_t red, int32_t green, int32_t blue) {
        const auto* object = std::get_if<DescriptorObject>(&value);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->classID, kRGBC);
        ASSERT_NE(object->value, nullptr);
        const auto& components = object->value->entries();
        ASSERT_EQ(components.size(), 4u);
        EXPECT_EQ(components[0].key, kRed);
        EXPECT_EQ(components[1].key, kGreen);
        EXPECT_EQ(components[2].key, kBlue);
        EXPECT_EQ(components[3].key, 0u);
        EXPECT_EQ(std::get<int32_t>(components[0].value), red);
        EXPECT_EQ(std::get<int32_t>(components[1].value), green);
        EXPECT_EQ(std::get<int32_t>(components[2].value), blue);
        EXPECT_EQ(std::get<int32_t>(components[3].value), 0);
    };
    expectColor(entries[0].value, 1, 2, 3);
    expectColor(entries[1].value, 65535, 0, 40000);
    EXPECT_EQ(std::get<std::string>(entries[2].value), "Pastels.aco");
    EXPECT_EQ(std::get<int32_t>(entries[3].value), 65535);
    EXPECT_EQ(std::get<bool>(entries[4].value), true);
    EXPECT_EQ(std::get<bool>(entries[5].value), false);
    EXPECT_EQ(std::get<bool>(entries[6].value), true);
    EXPECT_EQ(std::get<bool>(entries[7].value), false);
    EXPECT_EQ(std::get<int32_t>(entries[8].value), 20);
    EXPECT_EQ(std::get<int32_t>(entries[9].value), 10);
}

TEST_F(ParamsDescriptor, AnEmptyPaletteNameIsWrittenAsEmptyText)
{
    CVendrelParams params;
    filter.WriteDescriptor(params);
    const Descriptor written = Written();
    const vendrel::DescriptorValue* palette = written.find(kPalette);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(std::get<std::string>(*palette), "");
}

TEST_F(ParamsDescriptor, WrittenSettingsReadBackToTheSameRecord)
{
    CVendrelParams written = Baseline();
    written.randomColors = true;
    written.joinAreas = true;
    written.tolerance = 12345;
    written.joinSize = -4;
    filter.WriteDescriptor(written);

    CVendrelParams read;
    EXPECT_FALSE(filter.ReadDescriptor(read));
    EXPECT_EQ(0, std::memcmp(read.fillColor, written.fillColor, sizeof read.fillColor));
    EXPECT_EQ(0, std::memcmp(read.flagColor, written.flagColor, sizeof read.flagColor));
    EXPECT_STREQ(read.paletteFile, written.paletteFile);
    EXPECT_EQ(read.tolerance, 12345);
    EXPECT_TRUE(read.randomColors);
    EXPECT_FALSE(read.measureArea);
    EXPECT_FALSE(read.flagAreas);
    EXPECT_TRUE(read.joinAreas);
    EXPECT_EQ(read.flagSize, 55);
    EXPECT_EQ(read.joinSize, -4);
    EXPECT_EQ(parameters.descriptor, nullptr);
}

TEST_F(ParamsDescriptor, WritingWithoutTheInterfaceDoesNothing)
{
    parameters.writeDescriptorProcs = nullptr;
    filter.WriteDescriptor(Baseline());
    EXPECT_EQ(parameters.descriptor, nullptr);
    EXPECT_EQ(parameters.recordInfo, plugInDialogNone);
}

} // namespace
} // namespace vendrel::test
