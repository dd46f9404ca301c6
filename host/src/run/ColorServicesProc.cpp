// The colorServices callback handed to plug-ins in the filter record.
#include <algorithm>

#include "FilterSession.h"
#include "vendrel/host/AdmDialog.h"
#include "vendrel/host/ColorServices.h"

namespace vendrel {

namespace {

HostColor componentsOf(const ColorServicesInfo& info)
{
    return {info.colorComponents[0], info.colorComponents[1], info.colorComponents[2], info.colorComponents[3]};
}

void storeComponents(ColorServicesInfo& info, const HostColor& color)
{
    for (size_t i = 0; i < 4; ++i)
        info.colorComponents[i] = color[i];
}

OSErr convertRequest(ColorServicesInfo& info)
{
    HostColor color = componentsOf(info);
    const OSErr error = convertHostColor(info.sourceSpace, info.resultSpace, color);
    if (error == noErr)
        storeComponents(info, color);
    return error;
}

// The picker starts from the colour the user clicked: when a swatch of a dialog asks for it, the colour that
// swatch shows (a plug-in may pass none, leaving black, and OK would then change its colour unasked); else the
// request's colour, shown in RGB; black when it cannot be shown.
std::array<uint8_t, 3> pickerStart(const ColorServicesInfo& info)
{
    if (const std::optional<std::array<uint8_t, 3>> shown = colourShownByNotifyingItem())
        return *shown;
    HostColor color = componentsOf(info);
    if (convertHostColor(info.sourceSpace, plugIncolorServicesRGBSpace, color) != noErr)
        return {0, 0, 0};
    if (info.sourceSpace == plugIncolorServicesRGBSpace)
        for (size_t i = 0; i < 3; ++i)
            color[i] = std::clamp<int16_t>(color[i], 0, 255);
    return {uint8_t(color[0]), uint8_t(color[1]), uint8_t(color[2])};
}

OSErr chooseRequest(ColorServicesInfo& info, FrontEnd* frontEnd)
{
    const int16_t resultSpace =
        info.resultSpace == plugIncolorServicesChosenSpace ? int16_t(plugIncolorServicesRGBSpace) : info.resultSpace;
    if (resultSpace < plugIncolorServicesRGBSpace || resultSpace > plugIncolorServicesGraySpace)
        return paramErr;
    if (!frontEnd)
        return userCanceledErr;
    const std::optional<std::array<uint8_t, 3>> choice = frontEnd->pickColor(pickerStart(info));
    if (!choice)
        return userCanceledErr;
    HostColor color = {(*choice)[0], (*choice)[1], (*choice)[2], 0};
    const OSErr error = convertHostColor(plugIncolorServicesRGBSpace, resultSpace, color);
    if (error == noErr)
        storeComponents(info, color);
    return error;
}

} // namespace

OSErr hostColorServices(ColorServicesInfo* info)
{
    if (!info)
        return paramErr;
    HostContext* context = callbackContext();
    if (context && context->colorRequestObserver)
        context->colorRequestObserver(*info);
    switch (info->selector) {
    case plugIncolorServicesConvertColor:
        return convertRequest(*info);
    case plugIncolorServicesChooseColor:
        return chooseRequest(*info, context ? context->frontEnd : nullptr);
    default:
        return paramErr;
    }
}

OSErr pickOnlyColorServices(ColorServicesInfo* info)
{
    if (info && info->selector == plugIncolorServicesChooseColor)
        return hostColorServices(info);
    return errPlugInHostInsufficient;
}

} // namespace vendrel
