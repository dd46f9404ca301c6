// The host's handle procedures as a plug-in uses them.
#include <gtest/gtest.h>

#include <cstring>

#include "vendrel/host/HostHandles.h"

namespace vendrel::test {
namespace {

class HostHandles : public ::testing::Test {
protected:
    HandleProcs& procs = *vendrel::hostHandleProcs();
};

TEST_F(HostHandles, TheTableIsVersionOneWithEightProcedures)
{
    EXPECT_EQ(procs.handleProcsVersion, 1);
    EXPECT_EQ(procs.numHandleProcs, 8);
    EXPECT_NE(procs.newProc, nullptr);
    EXPECT_NE(procs.disposeProc, nullptr);
    EXPECT_NE(procs.getSizeProc, nullptr);
    EXPECT_NE(procs.setSizeProc, nullptr);
    EXPECT_NE(procs.lockProc, nullptr);
    EXPECT_NE(procs.unlockProc, nullptr);
    EXPECT_NE(procs.recoverSpaceProc, nullptr);
    EXPECT_NE(procs.disposeRegularHandleProc, nullptr);
}

TEST_F(HostHandles, AHandleReachesItsBytesThroughTheMasterPointerUnlocked)
{
    const size_t before = vendrel::liveHostHandles();
    Handle handle = procs.newProc(296);
    ASSERT_NE(handle, nullptr);
    ASSERT_NE(*handle, nullptr);
    EXPECT_EQ(procs.getSizeProc(handle), 296);
    EXPECT_EQ(vendrel::liveHostHandles(), before + 1);
    std::memset(*handle, 0xAB, 296);
    const std::vector<uint8_t> bytes = vendrel::hostHandleBytes(handle);
    ASSERT_EQ(bytes.size(), 296u);
    EXPECT_EQ(bytes.front(), 0xAB);
    EXPECT_EQ(bytes.back(), 0xAB);
    EXPECT_EQ(procs.lockProc(handle, false), *handle);
    procs.unlockProc(handle);
    procs.disposeProc(handle);
    EXPECT_EQ(vendrel::liveHostHandles(), before);
}

TEST_F(HostHandles, ResizingKeepsTheBytesThatFit)
{
    const uint8_t text[] = {1, 2, 3, 4, 5, 6, 7, 8};
    Handle handle = vendrel::newHostHandle(text, sizeof text);
    ASSERT_NE(handle, nullptr);
    ASSERT_EQ(procs.setSizeProc(handle, 3), noErr);
    EXPECT_EQ(procs.getSizeProc(handle), 3);
    EXPECT_EQ(vendrel::hostHandleBytes(handle), (std::vector<uint8_t>{1, 2, 3}));
    ASSERT_EQ(procs.setSizeProc(handle, 296), noErr);
    EXPECT_EQ(procs.getSizeProc(handle), 296);
    const std::vector<uint8_t> grown = vendrel::hostHandleBytes(handle);
    ASSERT_EQ(grown.size(), 296u);
    EXPECT_EQ(std::vector<uint8_t>(grown.begin(), grown.begin() + 3), (std::vector<uint8_t>{1, 2, 3}));
    // The grown block is writable to its last byte through the master pointer.
    (*handle)[295] = 42;
    EXPECT_EQ(vendrel::hostHandleBytes(handle)[295], 42);
    EXPECT_NE(procs.setSizeProc(handle, -1), noErr);
    EXPECT_EQ(procs.getSizeProc(handle), 296);
    procs.disposeProc(handle);
}

TEST_F(HostHandles, StaleAndUnknownHandlesAreHarmless)
{
    Handle handle = procs.newProc(16);
    procs.disposeProc(handle);
    const size_t live = vendrel::liveHostHandles();
    procs.disposeProc(handle); // a second dispose
    procs.disposeRegularHandleProc(handle);
    procs.disposeProc(nullptr);
    Ptr notAHandle = nullptr;
    procs.disposeProc(&notAHandle);
    EXPECT_EQ(vendrel::liveHostHandles(), live);
    EXPECT_EQ(procs.getSizeProc(handle), 0);
    EXPECT_NE(procs.setSizeProc(handle, 10), noErr);
    EXPECT_EQ(procs.lockProc(handle, false), nullptr);
    procs.unlockProc(handle);
    EXPECT_TRUE(vendrel::hostHandleBytes(handle).empty());
    EXPECT_FALSE(vendrel::isLiveHostHandle(handle));
}

TEST_F(HostHandles, ADisposedHandleNeverAliasesALaterOne)
{
    Handle first = procs.newProc(8);
    procs.disposeProc(first);
    std::vector<Handle> later;
    for (int i = 0; i < 64; ++i) {
        later.push_back(procs.newProc(8));
        EXPECT_NE(later.back(), first);
    }
    procs.disposeProc(first); // the stale handle must not release any of the new ones
    for (Handle handle : later) {
        EXPECT_TRUE(vendrel::isLiveHostHandle(handle));
        procs.disposeProc(handle);
    }
}

TEST_F(HostHandles, NegativeSizesGiveNoHandle)
{
    EXPECT_EQ(procs.newProc(-1), nullptr);
    Handle empty = procs.newProc(0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(procs.getSizeProc(empty), 0);
    procs.disposeProc(empty);
}

} // namespace
} // namespace vendrel::test
