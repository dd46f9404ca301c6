#include "ItemTooltips_win.h"

#include <commctrl.h>

#include "OwnModule_win.h"

namespace owndm {

namespace {

constexpr int kTipWidth = 300; // pixels, beyond which a tip wraps

TOOLINFOW ToolFor(HWND dialog, HWND control, wchar_t* text)
{
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    return tool;
}

} // namespace

ItemTooltips::ItemTooltips(HWND dialogWindow) : fDialog(dialogWindow)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    fTooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialogWindow, nullptr, OwnModuleHandle(), nullptr);
    if (fTooltip)
        SendMessageW(fTooltip, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
}

ItemTooltips::~ItemTooltips()
{
    if (fTooltip && IsWindow(fTooltip))
        DestroyWindow(fTooltip);
}

void ItemTooltips::Set(HWND control, const std::wstring& tip)
{
    if (!fTooltip || !control)
        return;
    const auto shown = fTips.find(control);
    if (shown != fTips.end() && shown->second == tip)
        return;
    Remove(control);
    if (tip.empty())
        return;
    std::wstring& text = fTips[control] = tip;
    TOOLINFOW tool = ToolFor(fDialog, control, text.data());
    SendMessageW(fTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ItemTooltips::Remove(HWND control)
{
    if (fTips.erase(control) == 0 || !fTooltip)
        return;
    TOOLINFOW tool = ToolFor(fDialog, control, nullptr);
    SendMessageW(fTooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace owndm
