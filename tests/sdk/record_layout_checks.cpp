// The byte layout of the records and procedure tables the host and the filter exchange, checked at compile
// time against offsets written out by hand from the published field order, types and packing. This file
// includes nothing but the interface headers, so that it compiles with any target's compiler: the test build
// compiles it natively, and CTest compiles it again for 32-bit and 64-bit Windows with the cross compilers.
#include <cstddef>

#include "PIFilter.h"

namespace vendrel::test {
namespace {

constexpr bool kIs32Bit = sizeof(void*) == 4;
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);

// Expected offset: the first figure on 32-bit targets, the second on 64-bit targets.
constexpr std::size_t at(std::size_t offset32, std::size_t offset64)
{
    return kIs32Bit ? offset32 : offset64;
}

#define EXPECT_FIELD(record, field, offset32, offset64)                                                                \
    static_assert(offsetof(record, field) == at(offset32, offset64), #record "::" #field " is misplaced")
#define EXPECT_SIZE(record, size32, size64)                                                                            \
    static_assert(sizeof(record) == at(size32, size64), "sizeof(" #record ") differs from the published size")

// FilterRecord: packed to 4 bytes, pointers of the target's size.
EXPECT_FIELD(FilterRecord, serialNumber, 0, 0);
EXPECT_FIELD(FilterRecord, abortProc, 4, 4);
EXPECT_FIELD(FilterRecord, progressProc, 8, 12);
EXPECT_FIELD(FilterRecord, parameters, 12, 20);
EXPECT_FIELD(FilterRecord, imageSize, 16, 28);
EXPECT_FIELD(FilterRecord, planes, 20, 32);
EXPECT_FIELD(FilterRecord, filterRect, 22, 34);
EXPECT_FIELD(FilterRecord, background, 30, 42);
EXPECT_FIELD(FilterRecord, foreground, 36, 48);
EXPECT_FIELD(FilterRecord, maxSpace, 44, 56);
EXPECT_FIELD(FilterRecord, bufferSpace, 48, 60);
EXPECT_FIELD(FilterRecord, inRect, 52, 64);
EXPECT_FIELD(FilterRecord, inLoPlane, 60, 72);
EXPECT_FIELD(FilterRecord, inHiPlane, 62, 74);
EXPECT_FIELD(FilterRecord, outRect, 64, 76);
EXPECT_FIELD(FilterRecord, outLoPlane, 72, 84);
EXPECT_FIELD(FilterRecord, outHiPlane, 74, 86);
EXPECT_FIELD(FilterRecord, inData, 76, 88);
EXPECT_FIELD(FilterRecord, inRowBytes, 80, 96);
EXPECT_FIELD(FilterRecord, outData, 84, 100);
EXPECT_FIELD(FilterRecord, outRowBytes, 88, 108);
EXPECT_FIELD(FilterRecord, isFloating, 92, 112);
EXPECT_FIELD(FilterRecord, haveMask, 93, 113);
EXPECT_FIELD(FilterRecord, autoMask, 94, 114);
EXPECT_FIELD(FilterRecord, maskRect, 96, 116);
EXPECT_FIELD(FilterRecord, maskData, 104, 124);
EXPECT_FIELD(FilterRecord, maskRowBytes, 108, 132);
EXPECT_FIELD(FilterRecord, backColor, 112, 136);
EXPECT_FIELD(FilterRecord, foreColor, 116, 140);
EXPECT_FIELD(FilterRecord, hostSig, 120, 144);
EXPECT_FIELD(FilterRecord, hostProc, 124, 148);
EXPECT_FIELD(FilterRecord, imageMode, 128, 156);
EXPECT_FIELD(FilterRecord, imageHRes, 132, 160);
EXPECT_FIELD(FilterRecord, imageVRes, 136, 164);
EXPECT_FIELD(FilterRecord, floatCoord, 140, 168);
EXPECT_FIELD(FilterRecord, wholeSize, 144, 172);
EXPECT_FIELD(FilterRecord, monitor, 148, 176);
EXPECT_FIELD(FilterRecord, platformData, 188, 216);
EXPECT_FIELD(FilterRecord, bufferProcs, 192, 224);
EXPECT_FIELD(FilterRecord, resourceProcs, 196, 232);
EXPECT_FIELD(FilterRecord, processEvent, 200, 240);
EXPECT_FIELD(FilterRecord, displayPixels, 204, 248);
EXPECT_FIELD(FilterRecord, handleProcs, 208, 256);
EXPECT_FIELD(FilterRecord, supportsDummyChannels, 212, 264);
EXPECT_FIELD(FilterRecord, supportsAlternateLayouts, 213, 265);
EXPECT_FIELD(FilterRecord, wantLayout, 214, 266);
EXPECT_FIELD(FilterRecord, filterCase, 216, 268);
EXPECT_FIELD(FilterRecord, dummyPlaneValue, 218, 270);
EXPECT_FIELD(FilterRecord, premiereHook, 220, 272);
EXPECT_FIELD(FilterRecord, advanceState, 224, 280);
EXPECT_FIELD(FilterRecord, supportsAbsolute, 228, 288);
EXPECT_FIELD(FilterRecord, wantsAbsolute, 229, 289);
EXPECT_FIELD(FilterRecord, getPropertyObsolete, 232, 292);
EXPECT_FIELD(FilterRecord, cannotUndo, 236, 300);
EXPECT_FIELD(FilterRecord, supportsPadding, 237, 301);
EXPECT_FIELD(FilterRecord, inputPadding, 238, 302);
EXPECT_FIELD(FilterRecord, outputPadding, 240, 304);
EXPECT_FIELD(FilterRecord, maskPadding, 242, 306);
EXPECT_FIELD(FilterRecord, samplingSupport, 244, 308);
EXPECT_FIELD(FilterRecord, reservedByte, 245, 309);
EXPECT_FIELD(FilterRecord, inputRate, 248, 312);
EXPECT_FIELD(FilterRecord, maskRate, 252, 316);
EXPECT_FIELD(FilterRecord, colorServices, 256, 320);
EXPECT_FIELD(FilterRecord, inLayerPlanes, 260, 328);
EXPECT_FIELD(FilterRecord, inTransparencyMask, 262, 330);
EXPECT_FIELD(FilterRecord, inLayerMasks, 264, 332);
EXPECT_FIELD(FilterRecord, inInvertedLayerMasks, 266, 334);
EXPECT_FIELD(FilterRecord, inNonLayerPlanes, 268, 336);
EXPECT_FIELD(FilterRecord, outLayerPlanes, 270, 338);
EXPECT_FIELD(FilterRecord, outTransparencyMask, 272, 340);
EXPECT_FIELD(FilterRecord, outLayerMasks, 274, 342);
EXPECT_FIELD(FilterRecord, outInvertedLayerMasks, 276, 344);
EXPECT_FIELD(FilterRecord, outNonLayerPlanes, 278, 346);
EXPECT_FIELD(FilterRecord, absLayerPlanes, 280, 348);
EXPECT_FIELD(FilterRecord, absTransparencyMask, 282, 350);
EXPECT_FIELD(FilterRecord, absLayerMasks, 284, 352);
EXPECT_FIELD(FilterRecord, absInvertedLayerMasks, 286, 354);
EXPECT_FIELD(FilterRecord, absNonLayerPlanes, 288, 356);
EXPECT_FIELD(FilterRecord, inPreDummyPlanes, 290, 358);
EXPECT_FIELD(FilterRecord, inPostDummyPlanes, 292, 360);
EXPECT_FIELD(FilterRecord, outPreDummyPlanes, 294, 362);
EXPECT_FIELD(FilterRecord, outPostDummyPlanes, 296, 364);
EXPECT_FIELD(FilterRecord, inColumnBytes, 300, 368);
EXPECT_FIELD(FilterRecord, inPlaneBytes, 304, 372);
EXPECT_FIELD(FilterRecord, outColumnBytes, 308, 376);
EXPECT_FIELD(FilterRecord, outPlaneBytes, 312, 380);
EXPECT_FIELD(FilterRecord, imageServicesProcs, 316, 384);
EXPECT_FIELD(FilterRecord, propertyProcs, 320, 392);
EXPECT_FIELD(FilterRecord, inTileHeight, 324, 400);
EXPECT_FIELD(FilterRecord, inTileWidth, 326, 402);
EXPECT_FIELD(FilterRecord, inTileOrigin, 328, 404);
EXPECT_FIELD(FilterRecord, absTileHeight, 332, 408);
EXPECT_FIELD(FilterRecord, absTileWidth, 334, 410);
EXPECT_FIELD(FilterRecord, absTileOrigin, 336, 412);
EXPECT_FIELD(FilterRecord, outTileHeight, 340, 416);
EXPECT_FIELD(FilterRecord, outTileWidth, 342, 418);
EXPECT_FIELD(FilterRecord, outTileOrigin, 344, 420);
EXPECT_FIELD(FilterRecord, maskTileHeight, 348, 424);
EXPECT_FIELD(FilterRecord, maskTileWidth, 350, 426);
EXPECT_FIELD(FilterRecord, maskTileOrigin, 352, 428);
EXPECT_FIELD(FilterRecord, descriptorParameters, 356, 432);
EXPECT_FIELD(FilterRecord, errorString, 360, 440);
EXPECT_FIELD(FilterRecord, channelPortProcs, 364, 448);
EXPECT_FIELD(FilterRecord, documentInfo, 368, 456);
EXPECT_FIELD(FilterRecord, sSPBasic, 372, 464);
EXPECT_FIELD(FilterRecord, plugInRef, 376, 472);
EXPECT_FIELD(FilterRecord, depth, 380, 480);
EXPECT_FIELD(FilterRecord, iCCprofileData, 384, 484);
EXPECT_FIELD(FilterRecord, iCCprofileSize, 388, 492);
EXPECT_FIELD(FilterRecord, canUseICCProfiles, 392, 496);
EXPECT_FIELD(FilterRecord, reserved, 396, 500);
EXPECT_SIZE(FilterRecord, 452, 556);
static_assert(sizeof(PlugInMonitor) == 40);

// AboutRecord: natural alignment.
EXPECT_FIELD(AboutRecord, platformData, 0, 0);
EXPECT_FIELD(AboutRecord, sSPBasic, 4, 8);
EXPECT_FIELD(AboutRecord, plugInRef, 8, 16);
EXPECT_FIELD(AboutRecord, reserved, 12, 24);
EXPECT_SIZE(AboutRecord, 256, 272);

EXPECT_FIELD(PIDescriptorParameters, descriptorParametersVersion, 0, 0);
EXPECT_FIELD(PIDescriptorParameters, playInfo, 2, 2);
EXPECT_FIELD(PIDescriptorParameters, recordInfo, 4, 4);
EXPECT_FIELD(PIDescriptorParameters, descriptor, 8, 8);
EXPECT_FIELD(PIDescriptorParameters, writeDescriptorProcs, 12, 16);
EXPECT_FIELD(PIDescriptorParameters, readDescriptorProcs, 16, 24);
EXPECT_SIZE(PIDescriptorParameters, 20, 32);

EXPECT_FIELD(ColorServicesInfo, infoSize, 0, 0);
EXPECT_FIELD(ColorServicesInfo, selector, 4, 4);
EXPECT_FIELD(ColorServicesInfo, sourceSpace, 6, 6);
EXPECT_FIELD(ColorServicesInfo, resultSpace, 8, 8);
EXPECT_FIELD(ColorServicesInfo, resultGamutInfoValid, 10, 10);
EXPECT_FIELD(ColorServicesInfo, resultInGamut, 11, 11);
EXPECT_FIELD(ColorServicesInfo, reservedSourceSpaceInfo, 12, 16);
EXPECT_FIELD(ColorServicesInfo, reservedResultSpaceInfo, 16, 24);
EXPECT_FIELD(ColorServicesInfo, colorComponents, 20, 32);
EXPECT_FIELD(ColorServicesInfo, reserved, 28, 40);
EXPECT_FIELD(ColorServicesInfo, selectorParameter, 32, 48);
EXPECT_SIZE(ColorServicesInfo, 36, 56);

EXPECT_FIELD(HandleProcs, handleProcsVersion, 0, 0);
EXPECT_FIELD(HandleProcs, numHandleProcs, 2, 2);
EXPECT_FIELD(HandleProcs, newProc, 4, 8);
EXPECT_FIELD(HandleProcs, disposeProc, 8, 16);
EXPECT_FIELD(HandleProcs, getSizeProc, 12, 24);
EXPECT_FIELD(HandleProcs, setSizeProc, 16, 32);
EXPECT_FIELD(HandleProcs, lockProc, 20, 40);
EXPECT_FIELD(HandleProcs, unlockProc, 24, 48);
EXPECT_FIELD(HandleProcs, recoverSpaceProc, 28, 56);
EXPECT_FIELD(HandleProcs, disposeRegularHandleProc, 32, 64);
EXPECT_SIZE(HandleProcs, 36, 72);

EXPECT_FIELD(ReadDescriptorProcs, readDescriptorProcsVersion, 0, 0);
EXPECT_FIELD(ReadDescriptorProcs, numReadDescriptorProcs, 2, 2);
EXPECT_FIELD(ReadDescriptorProcs, openReadDescriptorProc, 4, 8);
EXPECT_FIELD(ReadDescriptorProcs, closeReadDescriptorProc, 8, 16);
EXPECT_FIELD(ReadDescriptorProcs, getKeyProc, 12, 24);
EXPECT_FIELD(ReadDescriptorProcs, getIntegerProc, 16, 32);
EXPECT_FIELD(ReadDescriptorProcs, getFloatProc, 20, 40);
EXPECT_FIELD(ReadDescriptorProcs, getUnitFloatProc, 24, 48);
EXPECT_FIELD(ReadDescriptorProcs, getBooleanProc, 28, 56);
EXPECT_FIELD(ReadDescriptorProcs, getTextProc, 32, 64);
EXPECT_FIELD(ReadDescriptorProcs, getAliasProc, 36, 72);
EXPECT_FIELD(ReadDescriptorProcs, getEnumeratedProc, 40, 80);
EXPECT_FIELD(ReadDescriptorProcs, getClassProc, 44, 88);
EXPECT_FIELD(ReadDescriptorProcs, getSimpleReferenceProc, 48, 96);
EXPECT_FIELD(ReadDescriptorProcs, getObjectProc, 52, 104);
EXPECT_FIELD(ReadDescriptorProcs, getCountProc, 56, 112);
EXPECT_FIELD(ReadDescriptorProcs, getStringProc, 60, 120);
EXPECT_FIELD(ReadDescriptorProcs, getPinnedIntegerProc, 64, 128);
EXPECT_FIELD(ReadDescriptorProcs, getPinnedFloatProc, 68, 136);
EXPECT_FIELD(ReadDescriptorProcs, getPinnedUnitFloatProc, 72, 144);
EXPECT_SIZE(ReadDescriptorProcs, 76, 152);

EXPECT_FIELD(WriteDescriptorProcs, writeDescriptorProcsVersion, 0, 0);
EXPECT_FIELD(WriteDescriptorProcs, numWriteDescriptorProcs, 2, 2);
EXPECT_FIELD(WriteDescriptorProcs, openWriteDescriptorProc, 4, 8);
EXPECT_FIELD(WriteDescriptorProcs, closeWriteDescriptorProc, 8, 16);
EXPECT_FIELD(WriteDescriptorProcs, putIntegerProc, 12, 24);
EXPECT_FIELD(WriteDescriptorProcs, putFloatProc, 16, 32);
EXPECT_FIELD(WriteDescriptorProcs, putUnitFloatProc, 20, 40);
EXPECT_FIELD(WriteDescriptorProcs, putBooleanProc, 24, 48);
EXPECT_FIELD(WriteDescriptorProcs, putTextProc, 28, 56);
EXPECT_FIELD(WriteDescriptorProcs, putAliasProc, 32, 64);
EXPECT_FIELD(WriteDescriptorProcs, putEnumeratedProc, 36, 72);
EXPECT_FIELD(WriteDescriptorProcs, putClassProc, 40, 80);
EXPECT_FIELD(WriteDescriptorProcs, putSimpleReferenceProc, 44, 88);
EXPECT_FIELD(WriteDescriptorProcs, putObjectProc, 48, 96);
EXPECT_FIELD(WriteDescriptorProcs, putCountProc, 52, 104);
EXPECT_FIELD(WriteDescriptorProcs, putStringProc, 56, 112);
EXPECT_FIELD(WriteDescriptorProcs, putScopedClassProc, 60, 120);
EXPECT_FIELD(WriteDescriptorProcs, putScopedObjectProc, 64, 128);
EXPECT_SIZE(WriteDescriptorProcs, 68, 136);

EXPECT_FIELD(SPBasicSuite, AcquireSuite, 0, 0);
EXPECT_FIELD(SPBasicSuite, ReleaseSuite, 4, 8);
EXPECT_FIELD(SPBasicSuite, IsEqual, 8, 16);
EXPECT_FIELD(SPBasicSuite, AllocateBlock, 12, 24);
EXPECT_FIELD(SPBasicSuite, FreeBlock, 16, 32);
EXPECT_FIELD(SPBasicSuite, ReallocateBlock, 20, 40);
EXPECT_FIELD(SPBasicSuite, Undefined, 24, 48);
EXPECT_SIZE(SPBasicSuite, 28, 56);

} // namespace
} // namespace vendrel::test
