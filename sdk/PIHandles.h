/* The host's handle procedures. A handle is a pointer to a master pointer that addresses the data. */
#ifndef VENDREL_SDK_PIHANDLES_H
#define VENDREL_SDK_PIHANDLES_H

#include "PITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kCurrentHandleProcsVersion 1
#define kCurrentHandleProcsCount 8

typedef Handle (*NewPIHandleProc)(int32 size);
typedef void (*DisposePIHandleProc)(Handle h);
typedef int32 (*GetPIHandleSizeProc)(Handle h);
typedef OSErr (*SetPIHandleSizeProc)(Handle h, int32 newSize);
typedef Ptr (*LockPIHandleProc)(Handle h, Boolean moveHigh);
typedef void (*UnlockPIHandleProc)(Handle h);
typedef void (*RecoverSpaceProc)(int32 size);
typedef void (*DisposeRegularHandlePIHandleProc)(Handle h);

typedef struct HandleProcs {
    int16 handleProcsVersion;
    int16 numHandleProcs;
    NewPIHandleProc newProc;
    DisposePIHandleProc disposeProc;
    GetPIHandleSizeProc getSizeProc;
    SetPIHandleSizeProc setSizeProc;
    LockPIHandleProc lockProc;
    UnlockPIHandleProc unlockProc;
    RecoverSpaceProc recoverSpaceProc;
    DisposeRegularHandlePIHandleProc disposeRegularHandleProc;
} HandleProcs;

#ifdef __cplusplus
}
#endif

#endif
