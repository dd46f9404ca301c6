// The callbacks that dialog and item wrappers hand the host, written once for both. Each finds the wrapper in
// the host object's user data (Wrapper::FromRef) and does nothing, or answers 0 or false, when there is none.
// Wrapper befriends its instance of this template and provides FromRef, AttachRef, Init, Track, Notify and the
// member that the draw callback enters (DrawEntry).
#pragma once

#include "ADMSuites.h"

template <typename Wrapper, typename Ref, void (Wrapper::*DrawEntry)(ADMDrawerRef)> struct ADMCallbacks {
    static ASErr InitProc(Ref ref)
    {
        Wrapper* wrapper = Wrapper::FromRef(ref);
        if (!wrapper)
            return 0;
        wrapper->AttachRef(ref);
        return wrapper->Init();
    }

    static void DrawProc(Ref ref, ADMDrawerRef drawer)
    {
        if (Wrapper* wrapper = Wrapper::FromRef(ref))
            (wrapper->*DrawEntry)(drawer);
    }

    static ASBoolean TrackProc(Ref ref, ADMTrackerRef tracker)
    {
        Wrapper* wrapper = Wrapper::FromRef(ref);
        return wrapper ? wrapper->Track(tracker) : false;
    }

    static void NotifyProc(Ref ref, ADMNotifierRef notifier)
    {
        if (Wrapper* wrapper = Wrapper::FromRef(ref))
            wrapper->Notify(notifier);
    }
};
