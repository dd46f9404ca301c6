/* Resources a module carries inside its file, readable by the host without running the module.

   On Linux the resources live in the ELF section named by kPIResourceSectionName, laid out as:
     PIResourceDirectoryHeader, then `count` entries, each a PIResourceEntryHeader followed by `size` bytes
     of data and zero padding up to a multiple of 4 bytes.
   All integers of this directory are little-endian. */
#ifndef VENDREL_SDK_PIRESOURCES_H
#define VENDREL_SDK_PIRESOURCES_H

#include "PITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kPIResourceSectionName ".pi_resources"
#define kPIResourceMagic "PIRS"
#define kPIResourceDirectoryVersion 1

typedef struct PIResourceDirectoryHeader {
    char magic[4]; /* "PIRS" */
    uint32 version;
    uint32 count;
} PIResourceDirectoryHeader;

typedef struct PIResourceEntryHeader {
    char type[4]; /* the resource type as it reads: "PIPL", "AETE", "DLOG", "BMP " */
    int32 id;
    uint32 size;
} PIResourceEntryHeader;

/* Resource ids. */
#define kPIPropertyListResourceID 16000
#define kPITerminologyResourceID 16000
#define kPIDialogResourceID 16001
#define kPILogoBitmapResourceID 16009

/* Property keys of the plug-in property list (PIPL), and its vendor code. */
#define PIPLVendor8BIM PI_FOURCC('8', 'B', 'I', 'M')
#define PIKindProperty PI_FOURCC('k', 'i', 'n', 'd')
#define PINameProperty PI_FOURCC('n', 'a', 'm', 'e')
#define PICategoryProperty PI_FOURCC('c', 'a', 't', 'g')
#define PIVersionProperty PI_FOURCC('v', 'e', 'r', 's')
#define PIWin32X86CodeProperty PI_FOURCC('w', 'x', '8', '6')
#define PIWin64X86CodeProperty PI_FOURCC('8', '6', '6', '4')
#define PIHasTerminologyProperty PI_FOURCC('h', 's', 't', 'm')
#define PIImageModesProperty PI_FOURCC('m', 'o', 'd', 'e')
#define PIEnableInfoProperty PI_FOURCC('e', 'n', 'b', 'l')
#define PIFilterCaseInfoProperty PI_FOURCC('f', 'i', 'c', 'i')
#define PIFilterKind PI_FOURCC('8', 'B', 'F', 'M')

/* Bits of the first two bytes of the 'mode' property. */
#define PIModeFlagBitmap 0x80
#define PIModeFlagGrayScale 0x40
#define PIModeFlagIndexed 0x20
#define PIModeFlagRGB 0x10
#define PIModeFlagCMYK 0x08
#define PIModeFlagHSL 0x04
#define PIModeFlagHSB 0x02
#define PIModeFlagMultichannel 0x01
#define PIModeFlag2Duotone 0x80
#define PIModeFlag2Lab 0x40

/* Dialog resource ("DLOG"): a dialog frame and its push buttons, sizes in dialog units. Little-endian:
     uint16 version (1); int16 x, y, width, height; uint32 style (kPIDialogStyle...);
     caption and font name, each a uint16 length and that many bytes; uint16 font point size;
     uint16 item count; then per item: int16 id; uint16 kind (kPIDialogItem...); int16 x, y, width, height;
     uint16 flags (kPIDialogItemDefault...); text as a uint16 length and bytes. */
#define kPIDialogStyleModalFrame 1
#define kPIDialogItemPushButton 1
#define kPIDialogItemDefault 1

/* Bitmap resource ("BMP "): a device-independent bitmap as Windows resource files store it
   (BITMAPINFOHEADER, then bottom-up rows of blue, green, red bytes, each row padded to 4 bytes). */

#ifdef __cplusplus
}
#endif

#endif
