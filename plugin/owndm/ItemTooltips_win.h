// The tips of a dialog's items: one tooltip window per dialog, with one tool per control that has a tip.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace owndm {

class ItemTooltips {
public:
    explicit ItemTooltips(HWND dialogWindow);
    ~ItemTooltips();
    ItemTooltips(const ItemTooltips&) = delete;
    ItemTooltips& operator=(const ItemTooltips&) = delete;

    // Shows tip over control; an empty tip shows none.
    void Set(HWND control, const std::wstring& tip);
    void Remove(HWND control);

private:
    HWND fDialog;
    HWND fTooltip = nullptr;
    std::map<HWND, std::wstring> fTips;
};

} // namespace owndm
