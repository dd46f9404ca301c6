// The state of one FilterHost: its record, suites, front end and the image it runs on. The host's callbacks
// carry no context, so they reach the session that is active (the one that last began or called).
#pragma once

#include "HostContext.h"
#include "SuiteRegistry.h"
#include "vendrel/host/FilterHost.h"

namespace vendrel {

// A front end that shows nothing, never aborts and presses each dialog's default item.
class SilentFrontEnd final : public FrontEnd {};

struct FilterSession {
    const PluginModule& module;
    HostConfig config;
    SilentFrontEnd silentFrontEnd;
    SuiteRegistry registry;
    HostContext context;
    FilterRecord record{};
    AboutRecord about{};
    PIDescriptorParameters descriptorParameters{};
    intptr_t data = 0;
    Handle parameters = nullptr; // kept between runs
    HostImage* image = nullptr;

    FilterSession(const PluginModule& module, HostConfig config);
    FrontEnd& frontEnd() { return config.frontEnd ? *config.frontEnd : silentFrontEnd; }
    // The basic suite the records carry: null for the profiles of hosts that have none.
    SPBasicSuite* basicSuite() const;
};

FilterSession* activeFilterSession();
void setActiveFilterSession(FilterSession* session);

// The context host callbacks act in: the selector call in progress, else the active session's (so a host
// that has begun a record answers its callbacks between calls too), else null.
HostContext* callbackContext();

// The callbacks of the filter record, acting on the active session.
OSErr advanceStateCallback();
Boolean testAbortCallback();
void progressCallback(int32 done, int32 total);

// A rectangle the filter leaves empty asks for no image data.
inline bool isEmptyRect(const Rect& rect)
{
    return rect.top == rect.bottom || rect.left == rect.right;
}

// Points outData (and inData) at the requested rectangles and planes of the image, in place. A request outside
// the image or for planes it does not have answers paramErr and leaves the pointer null.
OSErr handOutImageBuffers(FilterRecord& record, HostImage& image);

// HostError unless the image's size and pixel buffer fit the filter record; refuses images larger than 32767.
void checkImageGeometry(const HostImage& image);
// HostError unless the module enables the image's mode.
void checkImageMode(const PluginModule& module, const HostImage& image);

} // namespace vendrel
