/* Basic types of the host's plug-in interface. Declarations only. */
#ifndef VENDREL_SDK_PITYPES_H
#define VENDREL_SDK_PITYPES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int8_t int8;
typedef uint8_t uint8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int64_t int64;

typedef uint8 Boolean;
typedef int16 OSErr;
typedef int32 SPErr;
typedef char* Ptr;
typedef Ptr* Handle; /* a pointer to the host's master pointer */

typedef uint32 DescType;        /* a four-character code */
typedef uint32 DescriptorKeyID; /* a four-character code */
typedef uint32 OSType;

typedef unsigned char Str255[256]; /* length byte, then up to 255 characters */
typedef const unsigned char* ConstStr255Param;

typedef struct Point {
    int16 v;
    int16 h;
} Point;

typedef struct Rect {
    int16 top;
    int16 left;
    int16 bottom;
    int16 right;
} Rect;

typedef struct VRect {
    int32 top;
    int32 left;
    int32 bottom;
    int32 right;
} VRect;

typedef struct RGBColor {
    uint16 red;
    uint16 green;
    uint16 blue;
} RGBColor;

/* A file specification as the host hands it out: a NUL-terminated path of at most 299 characters. */
typedef struct SPPlatformFileSpecification {
    char path[300];
} SPPlatformFileSpecification;

/* Result codes. */
enum {
    noErr = 0,
    userCanceledErr = -128,
    memFullErr = -108,
    paramErr = -50,
    errPlugInHostInsufficient = -30900,
    filterBadParameters = -30100,
    filterBadMode = -30101,
    errReportedByAdvanceState = -30110,
    kSPNoError = 0,
    kSPSuiteNotFoundError = 0x53214e46 /* 'S!NF' */
};

/* Builds a four-character code: the first character in the most significant byte. */
#define PI_FOURCC(a, b, c, d)                                                                                          \
    ((uint32)(((uint32)(uint8)(a) << 24) | ((uint32)(uint8)(b) << 16) | ((uint32)(uint8)(c) << 8) | (uint32)(uint8)(d)))

#ifdef __cplusplus
}

/* The same code from a four-character literal, for C++ callers: PIFourCC("Vdrl"). */
constexpr uint32 PIFourCC(const char (&s)[5])
{
    return PI_FOURCC(s[0], s[1], s[2], s[3]);
}
#endif

#endif
