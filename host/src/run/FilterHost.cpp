#include "vendrel/host/FilterHost.h"

#include <algorithm>
#include <cmath>

#include "ADMSuites.h"
#include "BasicSuite.h"
#include "FilterSession.h"
#include "NoThrow.h"
#include "vendrel/host/ColorServices.h"
#include "vendrel/host/HostHandles.h"

namespace vendrel {

namespace {

constexpr int32 kMaxSpace = 1 << 30;
constexpr Fixed kFixedOne = 1 << 16;

Fixed fixedResolution(double pixelsPerMillimetre)
{
    const double pixelsPerInch = pixelsPerMillimetre > 0 ? pixelsPerMillimetre * 25.4 : 72.0;
    return Fixed(std::lround(std::min(pixelsPerInch, 32767.0) * 65536.0));
}

std::set<std::string> dialogManagerSuiteNames()
{
    return {kADMBasicSuite, kADMDialogSuite, kADMEntrySuite,    kADMListSuite,
            kADMItemSuite,  kADMDrawerSuite, kADMNotifierSuite, kADMTrackerSuite};
}

ColorServicesProc colorServicesOf(HostProfile profile)
{
    switch (profile) {
    case HostProfile::viewer:
        return noThrow<pickOnlyColorServices>;
    case HostProfile::bare:
        return nullptr;
    default:
        return noThrow<hostColorServices>;
    }
}

void disposeDescriptor(PIDescriptorParameters& parameters)
{
    disposeHostHandle(reinterpret_cast<Handle>(parameters.descriptor));
    parameters.descriptor = nullptr;
}

// Makes a session the one the callbacks reach for the length of a selector call.
class CallScope {
public:
    explicit CallScope(FilterSession& session) : previousContext_(currentHostContext())
    {
        setActiveFilterSession(&session);
        setActiveSuiteRegistry(&session.registry);
        setCurrentHostContext(&session.context);
    }
    ~CallScope() { setCurrentHostContext(previousContext_); }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    HostContext* previousContext_;
};

} // namespace

FilterSession::FilterSession(const PluginModule& module_, HostConfig config_)
    : module(module_), config(std::move(config_))
{
    registry.add(kSPBasicSuite, kSPBasicSuiteVersion, hostBasicSuite());
    registerFileSuites(registry);
    registerDialogManagerSuites(registry);
    registry.hide(config.withoutSuites);
    if (config.profile == HostProfile::noDialogManager)
        registry.hide(dialogManagerSuiteNames());
    context.module = &module;
    context.frontEnd = &frontEnd();
    context.hostFolder = config.hostFolder;
    context.colorRequestObserver = config.colorRequestObserver;
    if (config.profile == HostProfile::viewer) {
        // A record of version 0 whose procedures are null: there, but of no use.
        descriptorParameters.descriptorParametersVersion = 0;
    } else {
        descriptorParameters.descriptorParametersVersion = kCurrentDescriptorParametersVersion;
        descriptorParameters.readDescriptorProcs = hostReadDescriptorProcs();
        descriptorParameters.writeDescriptorProcs = hostWriteDescriptorProcs();
    }
    about.sSPBasic = basicSuite();
    about.plugInRef = this;
}

SPBasicSuite* FilterSession::basicSuite() const
{
    const bool hasOne = config.profile == HostProfile::full || config.profile == HostProfile::noDialogManager;
    return hasOne ? hostBasicSuite() : nullptr;
}

struct FilterHost::Impl {
    FilterSession session;
    Impl(const PluginModule& module, HostConfig config) : session(module, std::move(config)) {}
};

FilterHost::FilterHost(const PluginModule& module, HostConfig config)
    : impl_(std::make_unique<Impl>(module, std::move(config)))
{
}

FilterHost::~FilterHost()
{
    FilterSession& session = impl_->session;
    disposeDescriptor(session.descriptorParameters);
    disposeHostHandle(session.parameters);
    if (activeFilterSession() == &session)
        setActiveFilterSession(nullptr);
    if (activeSuiteRegistry() == &session.registry)
        setActiveSuiteRegistry(nullptr);
}

int16_t FilterHost::about()
{
    return call(filterSelectorAbout);
}

void FilterHost::begin(HostImage& image)
{
    checkImageGeometry(image);
    FilterSession& session = impl_->session;
    session.image = &image;
    FilterRecord& record = session.record;
    record = FilterRecord{};
    record.abortProc = noThrow<testAbortCallback>;
    record.progressProc = noThrow<progressCallback>;
    record.parameters = session.parameters;
    record.imageSize = {int16(image.height), int16(image.width)};
    record.planes = int16(image.planes);
    record.filterRect = {0, 0, int16(image.height), int16(image.width)};
    record.background = {65535, 65535, 65535};
    record.foreground = {0, 0, 0};
    record.maxSpace = kMaxSpace;
    record.imageMode = image.mode;
    record.imageHRes = fixedResolution(image.xResolution);
    record.imageVRes = fixedResolution(image.yResolution);
    record.wholeSize = record.imageSize; // the image is never a floating selection
    record.inputRate = kFixedOne;        // no sampling: every pixel at full scale
    record.maskRate = kFixedOne;
    record.advanceState = noThrow<advanceStateCallback>;
    record.handleProcs = hostHandleProcs();
    record.colorServices = colorServicesOf(session.config.profile);
    record.filterCase = image.hasAlpha ? filterCaseEditableTransparencyNoSelection : filterCaseFlatImageNoSelection;
    record.outLayerPlanes = int16(image.colorPlanes);
    record.outTransparencyMask = image.hasAlpha ? 1 : 0;
    record.outColumnBytes = image.planes;
    record.outPlaneBytes = 1;
    record.descriptorParameters = session.config.profile == HostProfile::bare ? nullptr : &session.descriptorParameters;
    record.sSPBasic = session.basicSuite();
    record.plugInRef = &session;
    record.depth = 8;
    setActiveFilterSession(&session);
    setActiveSuiteRegistry(&session.registry);
}

int16_t FilterHost::call(int16_t selector)
{
    FilterSession& session = impl_->session;
    CallScope scope(session);
    int16 result = 0;
    if (selector == filterSelectorAbout) {
        session.about = AboutRecord{}; // the reserved tail stays zero
        session.about.sSPBasic = session.basicSuite();
        session.about.plugInRef = &session;
        session.module.entry()(selector, &session.about, &session.data, &result);
    } else {
        session.module.entry()(selector, &session.record, &session.data, &result);
        session.parameters = session.record.parameters;
    }
    return result;
}

void FilterHost::setDescriptor(const std::optional<Descriptor>& descriptor, int16_t playInfo)
{
    PIDescriptorParameters& parameters = impl_->session.descriptorParameters;
    disposeDescriptor(parameters);
    // Hosts without descriptor procedures hand no descriptor either.
    const bool handsDescriptor = descriptor && passesDescriptors(impl_->session.config.profile);
    parameters.descriptor = handsDescriptor ? newDescriptorHandle(*descriptor) : nullptr;
    parameters.playInfo = playInfo;
    parameters.recordInfo = plugInDialogOptional;
}

std::optional<Descriptor> FilterHost::currentDescriptor() const
{
    return descriptorFromHandle(impl_->session.descriptorParameters.descriptor);
}

RunResult FilterHost::run(HostImage& image, const RunOptions& options)
{
    FilterSession& session = impl_->session;
    checkImageMode(session.module, image);
    begin(image); // checks the image's geometry

    RunResult result;
    const auto step = [&](int16_t selector) {
        const int16_t answer = call(selector);
        if (answer != noErr) {
            result.result = answer;
            result.failedSelector = selector;
        }
        return answer == noErr;
    };
    const int16_t playInfo = options.showDialog ? plugInDialogDisplay : plugInDialogDontDisplay;

    setDescriptor(options.descriptor, playInfo);
    bool running = step(filterSelectorParameters) && step(filterSelectorPrepare);
    if (running) {
        setDescriptor(options.descriptor, playInfo);
        running = step(filterSelectorStart);
        result.recorded = currentDescriptor();
    }
    // The filter asks for more image data by leaving a rectangle non-empty; each request is answered before
    // the next continue. A filter that never stops asking is stopped.
    const size_t mostContinues = size_t(image.height) * size_t(image.planes) + 1024;
    for (size_t continues = 0; running; ++continues) {
        FilterRecord& record = session.record;
        if (isEmptyRect(record.outRect) && isEmptyRect(record.inRect))
            break;
        const OSErr handedOut =
            continues < mostContinues ? handOutImageBuffers(record, image) : OSErr(filterBadParameters);
        if (handedOut != noErr) {
            result.result = handedOut;
            result.failedSelector = filterSelectorContinue;
            running = false;
            break;
        }
        running = step(filterSelectorContinue);
    }
    if (running)
        step(filterSelectorFinish);

    // A plug-in that kept its object through a failure (an exception it answered with an error) gets the
    // finish selector, so that it releases the object instead of leaking it with the run.
    if (result.result != noErr && session.data != 0)
        call(filterSelectorFinish);
    // The run is over either way: the host's buffers and descriptor go, the parameters handle stays.
    session.data = 0;
    disposeDescriptor(session.descriptorParameters);
    session.record.outData = nullptr;
    session.record.inData = nullptr;
    session.image = nullptr;
    return result;
}

std::vector<uint8_t> FilterHost::parametersBytes() const
{
    return hostHandleBytes(impl_->session.parameters);
}

FilterRecord& FilterHost::record()
{
    return impl_->session.record;
}

AboutRecord& FilterHost::aboutRecord()
{
    return impl_->session.about;
}

intptr_t& FilterHost::data()
{
    return impl_->session.data;
}

const PluginModule& FilterHost::module() const
{
    return impl_->session.module;
}

FrontEnd& FilterHost::frontEnd()
{
    return impl_->session.frontEnd();
}

} // namespace vendrel
