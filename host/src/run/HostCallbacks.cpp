// advanceState, the abort test and progress: the callbacks through which a filter reaches the image and the
// person waiting for it.
#include "FilterSession.h"

namespace vendrel {

namespace {

FilterSession* gActiveSession = nullptr;

// The filter record is packed, so its pointer fields may sit off their natural alignment: the buffers are
// worked out in a value of their own and assigned field by field, never through a reference to a field.
struct HandedOut {
    OSErr error = noErr;
    void* data = nullptr;
    int32 rowBytes = 0;
};

HandedOut handOut(const Rect rect, int16 loPlane, int16 hiPlane, HostImage& image)
{
    if (rect.top > rect.bottom || rect.left > rect.right)
        return {paramErr, nullptr, 0};
    if (isEmptyRect(rect))
        return {noErr, nullptr, 0};
    if (rect.top < 0 || rect.left < 0 || rect.bottom > image.height || rect.right > image.width)
        return {paramErr, nullptr, 0};
    if (loPlane < 0 || loPlane > hiPlane || hiPlane >= image.planes)
        return {paramErr, nullptr, 0};
    return {noErr, image.pixel(rect.left, rect.top) + loPlane, int32(image.rowBytes())};
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
    const HandedOut out = handOut(record.outRect, record.outLoPlane, record.outHiPlane, image);
    record.outData = out.data;
    record.outRowBytes = out.rowBytes;
    const HandedOut in = handOut(record.inRect, record.inLoPlane, record.inHiPlane, image);
    record.inData = in.data;
    record.inRowBytes = in.rowBytes;
    return out.error != noErr ? out.error : in.error;
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
