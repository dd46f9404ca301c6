// The descriptor read and write procedures as a plug-in calls them, and the host's descriptor values.
#include <gtest/gtest.h>

#include <cstring>

#include "vendrel/host/Descriptor.h"
#include "vendrel/host/HostHandles.h"

namespace vendrel::test {
namespace {

using vendrel::Descriptor;
using vendrel::DescriptorObject;

class DescriptorProcs : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(vendrel::liveHostHandles(), handlesBefore) << "a handle was left behind"; }

    static void dispose(PIDescriptorHandle handle) { vendrel::disposeHostHandle(reinterpret_cast<Handle>(handle)); }

    // A colour object written the way the filter writes it: three components and an all-zero key.
    PIDescriptorHandle writeColor(int32 red, int32 green, int32 blue)
    {
        PIWriteDescriptor writer = write.openWriteDescriptorProc();
        write.putIntegerProc(writer, PIFourCC("Rd  "), red);
        write.putIntegerProc(writer, PIFourCC("Grn "), green);
        write.putIntegerProc(writer, PIFourCC("Bl  "), blue);
        write.putIntegerProc(writer, 0, 0);
        PIDescriptorHandle object = nullptr;
        EXPECT_EQ(write.closeWriteDescriptorProc(writer, &object), noErr);
        return object;
    }

    size_t handlesBefore = vendrel::liveHostHandles();
    ReadDescriptorProcs& read = *vendrel::hostReadDescriptorProcs();
    WriteDescriptorProcs& write = *vendrel::hostWriteDescriptorProcs();
};

TEST_F(DescriptorProcs, TablesHaveTheirVersionsAndCounts)
{
    EXPECT_EQ(read.readDescriptorProcsVersion, 0);
    EXPECT_EQ(read.numReadDescriptorProcs, 18);
    EXPECT_EQ(write.writeDescriptorProcsVersion, 0);
    EXPECT_EQ(write.numWriteDescriptorProcs, 16);
    EXPECT_NE(read.getPinnedUnitFloatProc, nullptr);
    EXPECT_NE(write.putScopedObjectProc, nullptr);
}

TEST_F(DescriptorProcs, WrittenValuesComeBackInWrittenOrderWithTheirTypes)
{
    PIDescriptorHandle color = writeColor(65535, 0, 32768);
    PIWriteDescriptor writer = write.openWriteDescriptorProc();
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(write.putObjectProc(writer, PIFourCC("BckC"), PIFourCC("RGBC"), color), noErr);
    dispose(color);
    const char palette[] = "Pastels.aco";
    Handle text = vendrel::newHostHandle(palette, std::strlen(palette));
    EXPECT_EQ(write.putTextProc(writer, PIFourCC("PltF"), text), noErr);
    vendrel::disposeHostHandle(text);
    EXPECT_EQ(write.putIntegerProc(writer, PIFourCC("Tlrn"), 70000), noErr);
    EXPECT_EQ(write.putBooleanProc(writer, PIFourCC("RanD"), 1), noErr);
    const double ratio = 0.25;
    EXPECT_EQ(write.putFloatProc(writer, PIFourCC("Rtio"), &ratio), noErr);
    PIDescriptorHandle descriptor = nullptr;
    ASSERT_EQ(write.closeWriteDescriptorProc(writer, &descriptor), noErr);
    ASSERT_NE(descriptor, nullptr);

    PIReadDescriptor reader = read.openReadDescriptorProc(descriptor, nullptr);
    ASSERT_NE(reader, nullptr);
    DescriptorKeyID key = 0;
    DescType type = 0;
    int32 flags = -1;

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(key, PIFourCC("BckC"));
    EXPECT_EQ(type, typeObject);
    EXPECT_EQ(flags, 0);
    DescType classID = 0;
    PIDescriptorHandle object = nullptr;
    ASSERT_EQ(read.getObjectProc(reader, &classID, &object), noErr);
    EXPECT_EQ(classID, PIFourCC("RGBC"));
    PIReadDescriptor colorReader = read.openReadDescriptorProc(object, nullptr);
    ASSERT_NE(colorReader, nullptr);
    std::vector<std::pair<DescriptorKeyID, int32>> components;
    while (read.getKeyProc(colorReader, &key, &type, &flags)) {
        int32 value = -1;
        EXPECT_EQ(read.getIntegerProc(colorReader, &value), noErr);
        components.emplace_back(key, value);
    }
    EXPECT_EQ(read.closeReadDescriptorProc(colorReader), noErr);
    dispose(object);
    EXPECT_EQ(components, (std::vector<std::pair<DescriptorKeyID, int32>>{
                              {PIFourCC("Rd  "), 65535}, {PIFourCC("Grn "), 0}, {PIFourCC("Bl  "), 32768}, {0, 0}}));

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(key, PIFourCC("PltF"));
    EXPECT_EQ(type, typeChar);
    Handle textBack = nullptr;
    ASSERT_EQ(read.getTextProc(reader, &textBack), noErr);
    const std::vector<uint8_t> textBytes = vendrel::hostHandleBytes(textBack);
    EXPECT_EQ(std::string(textBytes.begin(), textBytes.end()), "Pastels.aco"); // no terminating NUL
    vendrel::disposeHostHandle(textBack);

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(key, PIFourCC("Tlrn"));
    EXPECT_EQ(type, typeInteger);
    int32 tolerance = 0;
    EXPECT_EQ(read.getIntegerProc(reader, &tolerance), noErr);
    EXPECT_EQ(tolerance, 70000);
    int32 pinned = 0;
    EXPECT_EQ(read.getPinnedIntegerProc(reader, 0, 65535, &pinned), noErr);
    EXPECT_EQ(pinned, 65535);

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(type, typeBoolean);
    Boolean random = 0;
    EXPECT_EQ(read.getBooleanProc(reader, &random), noErr);
    EXPECT_EQ(random, 1);

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(type, typeFloat);
    double ratioBack = 0;
    EXPECT_EQ(read.getFloatProc(reader, &ratioBack), noErr);
    EXPECT_EQ(ratioBack, 0.25);

    EXPECT_FALSE(read.getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(read.closeReadDescriptorProc(reader), noErr);
    // Closing the reader leaves the descriptor handle to its holder.
    EXPECT_TRUE(vendrel::isLiveHostHandle(reinterpret_cast<Handle>(descriptor)));
    dispose(descriptor);
}

TEST_F(DescriptorProcs, ReadingAnotherTypeConvertsOrFailsLeavingTheOutputAlone)
{
    Descriptor stored;
    stored.put(PIFourCC("Intg"), int32_t(7));
    stored.put(PIFourCC("Bool"), true);
    stored.put(PIFourCC("Text"), std::string("abc"));
    PIDescriptorHandle descriptor = vendrel::newDescriptorHandle(stored);
    PIReadDescriptor reader = read.openReadDescriptorProc(descriptor, nullptr);
    ASSERT_NE(reader, nullptr);
    DescriptorKeyID key = 0;
    DescType type = 0;
    int32 flags = 0;

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags)); // 7
    Boolean asBoolean = 0;
    EXPECT_EQ(read.getBooleanProc(reader, &asBoolean), noErr);
    EXPECT_EQ(asBoolean, 1);
    double asFloat = 0;
    EXPECT_EQ(read.getFloatProc(reader, &asFloat), noErr);
    EXPECT_EQ(asFloat, 7.0);
    Handle asText = reinterpret_cast<Handle>(0x1234);
    EXPECT_EQ(read.getTextProc(reader, &asText), errAEWrongDataType);
    EXPECT_EQ(asText, reinterpret_cast<Handle>(0x1234));

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags)); // true
    int32 asInteger = -5;
    EXPECT_EQ(read.getIntegerProc(reader, &asInteger), noErr);
    EXPECT_EQ(asInteger, 1);

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags)); // "abc"
    asInteger = -5;
    EXPECT_EQ(read.getIntegerProc(reader, &asInteger), errAEWrongDataType);
    EXPECT_EQ(asInteger, -5);
    DescType classID = 99;
    PIDescriptorHandle object = nullptr;
    EXPECT_EQ(read.getObjectProc(reader, &classID, &object), errAEWrongDataType);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(classID, 99u);
    Str255 pascal{};
    EXPECT_EQ(read.getStringProc(reader, &pascal), noErr);
    EXPECT_EQ(pascal[0], 3);
    EXPECT_EQ(std::memcmp(pascal + 1, "abc", 3), 0);

    EXPECT_FALSE(read.getKeyProc(reader, &key, &type, &flags));
    asInteger = -5;
    EXPECT_EQ(read.getIntegerProc(reader, &asInteger), errAEDescNotFound); // no current key
    EXPECT_EQ(asInteger, -5);
    EXPECT_EQ(read.closeReadDescriptorProc(reader), errAEWrongDataType); // the first failure is reported at close
    dispose(descriptor);
}

TEST_F(DescriptorProcs, ForeignOrClosedReadersAndWritersAreRefused)
{
    PIDescriptorHandle descriptor = vendrel::newDescriptorHandle(Descriptor{});
    PIReadDescriptor reader = read.openReadDescriptorProc(descriptor, nullptr);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(read.closeReadDescriptorProc(reader), noErr);
    EXPECT_NE(read.closeReadDescriptorProc(reader), noErr);
    DescriptorKeyID key = 0;
    EXPECT_FALSE(read.getKeyProc(reader, &key, nullptr, nullptr));
    dispose(descriptor);

    PIWriteDescriptor writer = write.openWriteDescriptorProc();
    PIDescriptorHandle written = nullptr;
    ASSERT_EQ(write.closeWriteDescriptorProc(writer, &written), noErr);
    dispose(written);
    EXPECT_NE(write.putIntegerProc(writer, PIFourCC("Tlrn"), 1), noErr);
    EXPECT_NE(write.closeWriteDescriptorProc(writer, &written), noErr);

    // Handles that hold no descriptor give no reader; objects and text must be live handles.
    EXPECT_EQ(read.openReadDescriptorProc(nullptr, nullptr), nullptr);
    const char junk[] = "not a descriptor";
    Handle garbage = vendrel::newHostHandle(junk, sizeof junk);
    EXPECT_EQ(read.openReadDescriptorProc(reinterpret_cast<PIDescriptorHandle>(garbage), nullptr), nullptr);
    writer = write.openWriteDescriptorProc();
    EXPECT_NE(
        write.putObjectProc(writer, PIFourCC("BckC"), PIFourCC("RGBC"), reinterpret_cast<PIDescriptorHandle>(garbage)),
        noErr);
    vendrel::disposeHostHandle(garbage);
    EXPECT_NE(write.putTextProc(writer, PIFourCC("PltF"), garbage), noErr);
    ASSERT_EQ(write.closeWriteDescriptorProc(writer, &written), noErr);
    EXPECT_EQ(vendrel::descriptorFromHandle(written), Descriptor{});
    dispose(written);
}

TEST(DescriptorValues, EncodingRoundTripsNestedObjects)
{
    auto inner = std::make_shared<Descriptor>();
    inner->put(PIFourCC("Rd  "), int32_t(1));
    auto outer = std::make_shared<Descriptor>();
    outer->put(PIFourCC("Innr"), DescriptorObject{PIFourCC("Clss"), inner});
    Descriptor descriptor;
    descriptor.put(PIFourCC("Outr"), DescriptorObject{PIFourCC("Wrap"), outer});
    descriptor.put(PIFourCC("Enum"), vendrel::DescriptorEnum{PIFourCC("Type"), PIFourCC("Valu")});
    descriptor.put(PIFourCC("Unit"), vendrel::DescriptorUnitFloat{PIFourCC("#Pxl"), -2.5});
    descriptor.put(PIFourCC("Text"), std::string("a\0b", 3));

    const std::vector<uint8_t> bytes = vendrel::encodeDescriptor(descriptor);
    const std::optional<Descriptor> back = vendrel::decodeDescriptor(bytes.data(), bytes.size());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, descriptor);

    Descriptor changed;
    auto otherInner = std::make_shared<Descriptor>();
    otherInner->put(PIFourCC("Rd  "), int32_t(2));
    changed.put(PIFourCC("Outr"), DescriptorObject{PIFourCC("Wrap"), otherInner});
    EXPECT_FALSE(changed == descriptor);

    for (size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(vendrel::decodeDescriptor(bytes.data(), size).has_value()) << "cut to " << size;
}

TEST(DescriptorValues, FindGivesTheFirstEntryOfAKey)
{
    Descriptor descriptor;
    descriptor.put(PIFourCC("Tlrn"), int32_t(1));
    descriptor.put(PIFourCC("Tlrn"), int32_t(2));
    ASSERT_NE(descriptor.find(PIFourCC("Tlrn")), nullptr);
    EXPECT_EQ(std::get<int32_t>(*descriptor.find(PIFourCC("Tlrn"))), 1);
    EXPECT_EQ(descriptor.find(PIFourCC("Nope")), nullptr);
    EXPECT_EQ(descriptor.entries().size(), 2u);
}

TEST(DescriptorValues, FourCharacterCodesReadAsText)
{
    EXPECT_EQ(vendrel::fourCCText(PIFourCC("Tlrn")), "Tlrn");
    EXPECT_EQ(vendrel::fourCCText(PIFourCC("Ar  ")), "Ar  ");
    EXPECT_EQ(vendrel::fourCCText(0), "????");
}

} // namespace
} // namespace vendrel::test
