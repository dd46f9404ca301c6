// The settings record in the host's parameters handle, and the plug-in's handles.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "CVendrel.h"
#include "OwnHandles.h"
#include "PluginHandles.h"
#include "vendrel/host/HostHandles.h"
#include "record_fields.h"

namespace vendrel::test {
namespace {

constexpr size_t kRecordSize = 296;

uint16_t U16At(const std::vector<uint8_t>& bytes, size_t offset)
{
    return uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

int32_t I32At(const std::vector<uint8_t>& bytes, size_t offset)
{
    return int32_t(uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16 |
                   uint32_t(bytes[offset + 3]) << 24);
}

// The bytes of a stored record, laid out by hand: 'Vdrl', the version, and a tolerance at offset 270.
std::vector<uint8_t> StoredRecord(uint16_t version, uint16_t tolerance)
{
    std::vector<uint8_t> bytes(kRecordSize, 0);
    const uint8_t signature[] = {0x6C, 0x72, 0x64, 0x56};
    std::memcpy(bytes.data(), signature, 4);
    bytes[4] = uint8_t(version);
    bytes[5] = uint8_t(version >> 8);
    bytes[270] = uint8_t(tolerance);
    bytes[271] = uint8_t(tolerance >> 8);
    std::memcpy(bytes.data() + 14, "Stored.aco", 10);
    bytes[292] = 10; // joinSize
    return bytes;
}

class ParamsHandle : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(&record, 0, sizeof record);
        record.handleProcs = vendrel::hostHandleProcs();
        filter.SetRecords(&record, nullptr);
    }
    void TearDown() override { vendrel::disposeHostHandle(record.parameters); }

    FilterRecord record;
    CVendrel filter;
};

TEST_F(ParamsHandle, LoadFromHandleTakesAValidRecord)
{
    const std::vector<uint8_t> stored = StoredRecord(3, 1234);
    record.parameters = vendrel::newHostHandle(stored.data(), stored.size());
    CVendrelParams params;
    EXPECT_TRUE(params.LoadFromHandle(record.parameters, record.handleProcs));
    EXPECT_EQ(params.tolerance, 1234);
    EXPECT_STREQ(params.paletteFile, "Stored.aco");
    EXPECT_EQ(params.fillColor[0], 0); // the handle's value, not the default
}

TEST_F(ParamsHandle, LoadFromHandleRefusesVersion2AndLeavesTheDefaults)
{
    const std::vector<uint8_t> stored = StoredRecord(2, 1234);
    record.parameters = vendrel::newHostHandle(stored.data(), stored.size());
    CVendrelParams params;
    params.tolerance = 77;
    EXPECT_FALSE(params.LoadFromHandle(record.parameters, record.handleProcs));
    EXPECT_EQ(params.tolerance, 0);
    EXPECT_EQ(params.fillColor[0], 65535);
    EXPECT_STREQ(params.paletteFile, "");
    EXPECT_TRUE(params.IsValid());
}

TEST_F(ParamsHandle, LoadFromHandleRefusesAHandleShorterThanTheRecord)
{
    // A valid beginning in a 100-byte handle: reading the whole record would run past its end.
    const std::vector<uint8_t> stored = StoredRecord(3, 1234);
    record.parameters = vendrel::newHostHandle(stored.data(), 100);
    CVendrelParams params;
    params.tolerance = 77;
    EXPECT_FALSE(params.LoadFromHandle(record.parameters, record.handleProcs));
    EXPECT_EQ(params.tolerance, 0);
    EXPECT_STREQ(params.paletteFile, "");
}

TEST_F(ParamsHandle, ReadParametersWithoutAHandleIsFalse)
{
    CVendrelParams params;
    params.tolerance = 77;
    EXPECT_FALSE(filter.ReadParameters(params));
    EXPECT_EQ(params.tolerance, 77);
}

TEST_F(ParamsHandle, WriteParametersCreatesA296ByteHandleWithTheRecordAtItsOffsets)
{
    CVendrelParams params;
    params.fillColor[0] = 0x0102;
    params.fillColor[1] = 0x0304;
    params.fillColor[2] = 0x0506;
    params.SetPaletteFile("Pastels.aco");
    params.tolerance = 0x0708;
    params.reservedFlag = 5;
    params.randomColors = true;
    params.flagAreas = true;
    params.flagColor[0] = 0x1112;
    params.flagColor[1] = 0x1314;
    params.flagColor[2] = 0x1516;
    params.flagSize = 0x01020304;
    params.joinAreas = true;
    params.joinSize = -2;
    filter.WriteParameters(params);

    ASSERT_NE(valueOf(record.parameters), nullptr);
    const std::vector<uint8_t> bytes = vendrel::hostHandleBytes(record.parameters);
    ASSERT_EQ(bytes.size(), kRecordSize);
    EXPECT_EQ(bytes[0], 'l');
    EXPECT_EQ(bytes[1], 'r');
    EXPECT_EQ(bytes[2], 'd');
    EXPECT_EQ(bytes[3], 'V');
    EXPECT_EQ(U16At(bytes, 4), 3);
    EXPECT_EQ(U16At(bytes, 8), 0x0102);
    EXPECT_EQ(U16At(bytes, 10), 0x0304);
    EXPECT_EQ(U16At(bytes, 12), 0x0506);
    EXPECT_EQ(0, std::memcmp(bytes.data() + 14, "Pastels.aco", 12)); // with its NUL
    EXPECT_EQ(U16At(bytes, 270), 0x0708);
    EXPECT_EQ(bytes[272], 5);
    EXPECT_EQ(bytes[273], 1);
    EXPECT_EQ(bytes[274], 0);
    EXPECT_EQ(bytes[275], 1);
    EXPECT_EQ(U16At(bytes, 276), 0x1112);
    EXPECT_EQ(U16At(bytes, 278), 0x1314);
    EXPECT_EQ(U16At(bytes, 280), 0x1516);
    EXPECT_EQ(I32At(bytes, 284), 0x01020304);
    EXPECT_EQ(bytes[288], 1);
    EXPECT_EQ(I32At(bytes, 292), -2);

    CVendrelParams readBack;
    EXPECT_TRUE(filter.ReadParameters(readBack));
    EXPECT_EQ(readBack.tolerance, 0x0708);
    EXPECT_EQ(readBack.joinSize, -2);
    EXPECT_STREQ(readBack.paletteFile, "Pastels.aco");
}

// Some hosts' size procedure answers 0 for every live handle: the record is still written at parameters and read
// back at start, as the host's engines of image viewers need.
TEST_F(ParamsHandle, AHostThatCannotTellHandleSizesStillKeepsTheRecord)
{
    HandleProcs sizeless = *vendrel::hostHandleProcs();
    sizeless.getSizeProc = [](Handle) { return int32(0); };
    record.handleProcs = &sizeless;
    CVendrelParams written;
    written.tolerance = 42;
    written.SetPaletteFile("Flatting 24.aco");
    filter.WriteParameters(written);
    ASSERT_NE(valueOf(record.parameters), nullptr);
    CVendrelParams read;
    ASSERT_TRUE(filter.ReadParameters(read));
    EXPECT_EQ(read.tolerance, 42);
    EXPECT_STREQ(read.paletteFile, "Flatting 24.aco");
}

TEST_F(ParamsHandle, WriteParametersResizesAnExistingHandleOfAnotherSize)
{
    const std::vector<uint8_t> small(10, 0xAB);
    record.parameters = vendrel::newHostHandle(small.data(), small.size());
    Handle before = record.parameters;
    CVendrelParams params;
    params.tolerance = 99;
    filter.WriteParameters(params);

    EXPECT_EQ(valueOf(record.parameters), before);
    const std::vector<uint8_t> bytes = vendrel::hostHandleBytes(record.parameters);
    ASSERT_EQ(bytes.size(), kRecordSize);
    EXPECT_EQ(U16At(bytes, 270), 99);
    CVendrelParams readBack;
    EXPECT_TRUE(filter.ReadParameters(readBack));
    EXPECT_EQ(readBack.tolerance, 99);
}

TEST_F(ParamsHandle, WriteParametersLeavesByteSwappedAndPaddingAsTheHostGaveThem)
{
    const std::vector<uint8_t> filled(kRecordSize, 0xAB);
    record.parameters = vendrel::newHostHandle(filled.data(), filled.size());
    CVendrelParams params;
    params.byteSwapped = 1;
    filter.WriteParameters(params);

    const std::vector<uint8_t> bytes = vendrel::hostHandleBytes(record.parameters);
    ASSERT_EQ(bytes.size(), kRecordSize);
    for (size_t offset : {6, 7, 282, 283, 289, 290, 291})
        EXPECT_EQ(bytes[offset], 0xAB) << "offset " << offset;
    EXPECT_EQ(U16At(bytes, 4), 3);
    EXPECT_EQ(bytes[14], 0); // the empty palette name
}

TEST(ParamsPluginHandles, HostProceduresAreUsedOnlyWhenComplete)
{
    HandleProcs procs = *vendrel::hostHandleProcs();
    EXPECT_TRUE(HostHandleProcsUsable(&procs));
    EXPECT_FALSE(HostHandleProcsUsable(nullptr));

    HandleProcs newer = procs;
    newer.handleProcsVersion = 2;
    EXPECT_FALSE(HostHandleProcsUsable(&newer));
    HandleProcs fewer = procs;
    fewer.numHandleProcs = 7;
    EXPECT_FALSE(HostHandleProcsUsable(&fewer));
    HandleProcs noSetSize = procs;
    noSetSize.setSizeProc = nullptr;
    EXPECT_FALSE(HostHandleProcsUsable(&noSetSize));
    HandleProcs noLock = procs;
    noLock.lockProc = nullptr;
    EXPECT_TRUE(HostHandleProcsUsable(&noLock));

    EXPECT_TRUE(PluginHandles(&procs).UsesHost());
    EXPECT_FALSE(PluginHandles(&newer).UsesHost());
}

TEST(ParamsPluginHandles, OwnHandlesHoldTheDataPointerAndTheTag)
{
    const size_t liveBefore = OwnHandles::LiveCount();
    const PluginHandles handles(nullptr);
    Handle handle = handles.NewFrom("abcde", 5);
    ASSERT_NE(handle, nullptr);
    ASSERT_NE(*handle, nullptr);
    EXPECT_EQ(0, std::memcmp(*handle, "abcde", 5));
    uint32 tag = 0;
    std::memcpy(&tag, reinterpret_cast<const char*>(handle) + sizeof(Ptr), sizeof tag);
    EXPECT_EQ(tag, PIFourCC("FOTO"));
    EXPECT_EQ(handles.GetSize(handle), 5);
    EXPECT_EQ(OwnHandles::LiveCount(), liveBefore + 1);

    EXPECT_TRUE(handles.SetSize(handle, 300));
    EXPECT_EQ(handles.GetSize(handle), 300);
    EXPECT_EQ(0, std::memcmp(*handle, "abcde", 5));
    EXPECT_TRUE(handles.SetSize(handle, 2));
    EXPECT_EQ(0, std::memcmp(*handle, "ab", 2));

    Ptr locked = handles.Lock(handle);
    EXPECT_EQ(locked, *handle);
    EXPECT_FALSE(handles.SetSize(handle, 50)) << "a locked handle stays in place";
    handles.Unlock(handle);
    EXPECT_TRUE(handles.SetSize(handle, 50));

    handles.Dispose(handle);
    EXPECT_EQ(OwnHandles::LiveCount(), liveBefore);
    handles.Dispose(handle); // a second release is ignored
    EXPECT_EQ(OwnHandles::LiveCount(), liveBefore);
}

TEST(ParamsPluginHandles, OwnHandlesIgnoreHandlesTheyDidNotMake)
{
    char data[4] = {1, 2, 3, 4};
    Ptr master = data;
    Handle foreign = &master;
    EXPECT_EQ(OwnHandles::GetSize(foreign), 0);
    EXPECT_EQ(OwnHandles::Lock(foreign), nullptr);
    EXPECT_FALSE(OwnHandles::SetSize(foreign, 10));
    OwnHandles::Dispose(foreign);
    EXPECT_EQ(master, data);
    EXPECT_EQ(OwnHandles::New(-1), nullptr);
}

TEST(ParamsPluginHandles, AnEmptyOwnHandleStillHasData)
{
    const PluginHandles handles(nullptr);
    Handle handle = handles.New(0);
    ASSERT_NE(handle, nullptr);
    EXPECT_NE(*handle, nullptr);
    EXPECT_EQ(handles.GetSize(handle), 0);
    handles.Dispose(handle);
}

} // namespace
} // namespace vendrel::test
