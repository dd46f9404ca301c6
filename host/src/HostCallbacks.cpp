// advanceState, the abort test and progress: the callbacks through which a filter reaches the image and the
// person waiting for it.
#include "FilterSession.h"

namespace vendrel {

namespace {

FilterSession* gActiveSession = nullptr;

OSErr handOut(const Rect& rect, int16 loPlane, int16 hiPlane, HostImage& image, void*& data, int32& rowBytes)
{
    data = nullptr;
    rowBytes = 0;
    if (rect.top > rect.bottom || rect.left > rect.right)
        return paramErr;
    if (isEmptyRect(rect))
        return noErr;
    if (rect.top < 0 || rect.left < 0 || rect.bottom > image.height || rect.right > image.width)
        return paramErr;
    if (loPlane < 0 || loPlane > hiPlane || hiPlane >= image.planes)
        return paramErr;
    data = image.pixel(rect.left, rect.top) + loPlane;
    rowBytes = int32(image.rowBytes());
    return noErr;
}

} // namespace

FilterSession* activeFilterSession()
{
    return gActiveSession;
}

void setActiveFilterSession(FilterSession* session)
{
    gActiveSession = session;
}

HostContext* callbackContext()
{
    if (HostContext* context = currentHostContext())
        return context;
    return gActiveSession ? &gActiveSession->context : nullptr;
}

OSErr handOutImageBuffers(FilterRecord& record, HostImage& image)
{
    record.outColumnBytes = image.planes;
    record.outPlaneBytes = 1;
    const OSErr outError =
        handOut(record.outRect, record.outLoPlane, record.outHiPlane, image, record.outData, record.outRowBytes);
    const OSErr inError =
        handOut(record.inRect, record.inLoPlane, record.inHiPlane, image, record.inData, record.inRowBytes);
    return outError != noErr ? outError : inError;
}

OSErr advanceStateCallback()
{
    FilterSession* session = gActiveSession;
    if (!session || !session->image)
        return errPlugInHostInsufficient;
    return handOutImageBuffers(session->record, *session->image);
}

Boolean testAbortCallback()
{
    FilterSession* session = gActiveSession;
    return session && session->frontEnd().abortRequested();
}

void progressCallback(int32 done, int32 total)
{
    if (FilterSession* session = gActiveSession)
        session->frontEnd().progress(done, total);
}

} // namespace vendrel
