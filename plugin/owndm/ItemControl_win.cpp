#include "ItemControl_win.h"

#include "OwnModule_win.h"
#include "WideText_win.h"

namespace owndm {

namespace {

// A popup's control reaches below its bounds by the height of its opened list.
constexpr int kPopupListHeight = 160;
// The edges a closed popup draws around its selection field.
constexpr int kPopupEdges = 6;

struct ControlKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

DWORD FrameStyle(const ADMRect& bounds)
{
    if (Height(bounds) <= 2)
        return SS_ETCHEDHORZ;
    if (Width(bounds) <= 2)
        return SS_ETCHEDVERT;
    return SS_ETCHEDFRAME;
}

ControlKind KindOfControl(const ItemModel& item)
{
    const bool isDefault = item.id == item.dialog.defaultID;
    switch (item.kind) {
    case ItemKind::user:
        return {L"STATIC", SS_NOTIFY, 0};
    case ItemKind::textStatic:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ItemKind::textEdit:
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ItemKind::checkBox:
        return {L"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0};
    case ItemKind::radioButton:
        return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case ItemKind::popupList:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ItemKind::frame:
        return {L"STATIC", FrameStyle(item.bounds), 0};
    case ItemKind::picturePushButton:
        return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0};
    case ItemKind::textPushButton:
        return {L"BUTTON", DWORD(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, 0};
    default:
        return {L"STATIC", 0, 0};
    }
}

bool Overlaps(const ADMRect& a, const ADMRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

ItemControl::ItemControl(HWND dialogWindow, ItemModel& item, const ADMRect& dialogFrame) : fItem(item)
{
    const ControlKind kind = KindOfControl(item);
    fWindow =
        CreateWindowExW(kind.extendedStyle, kind.windowClass, L"", WS_CHILD | kind.style, item.bounds.left,
                        item.bounds.top, Width(item.bounds), Height(item.bounds), dialogWindow,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id & 0xFFFF)), OwnModuleHandle(), nullptr);
    if (!fWindow)
        return;
    SendMessageW(fWindow, WM_SETFONT, SendMessageW(dialogWindow, WM_GETFONT, 0, 0), FALSE);
    if (item.kind == ItemKind::user)
        fUserItem = std::make_unique<UserItemWindow>(fWindow, item);
    if (item.kind == ItemKind::picturePushButton)
        fPicture = std::make_unique<PictureButton>();
    if (item.kind == ItemKind::popupList)
        SendMessageW(fWindow, CB_SETITEMHEIGHT, WPARAM(-1), LPARAM(Height(item.bounds) - kPopupEdges));
    Refresh(dialogFrame);
}

ItemControl::~ItemControl()
{
    fUserItem.reset();
    if (fWindow && IsWindow(fWindow))
        DestroyWindow(fWindow);
}

void ItemControl::Refresh(const ADMRect& dialogFrame)
{
    if (!fWindow)
        return;
    RefreshBounds(dialogFrame);
    if (bool(IsWindowEnabled(fWindow)) != fItem.enabled)
        EnableWindow(fWindow, fItem.enabled);
    RefreshText();
    RefreshCheck();
    RefreshEntries();
    if (fPicture)
        fPicture->Show(fItem.picture);
    Redraw();
}

void ItemControl::RefreshBounds(const ADMRect& dialogFrame)
{
    const ADMRect& bounds = fItem.bounds;
    const int extra = fItem.kind == ItemKind::popupList ? kPopupListHeight : 0;
    SetWindowPos(fWindow, nullptr, bounds.left, bounds.top, Width(bounds), Height(bounds) + extra,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(fWindow, Overlaps(bounds, dialogFrame) ? SW_SHOWNA : SW_HIDE);
}

void ItemControl::RefreshText()
{
    switch (fItem.kind) {
    case ItemKind::textStatic:
        SetShownText(WideLines(fItem.text));
        break;
    case ItemKind::textEdit:
        SetShownText(WideText(fItem.ValueText()));
        break;
    case ItemKind::checkBox:
    case ItemKind::radioButton:
    case ItemKind::textPushButton:
        SetShownText(WideLabel(fItem.text));
        break;
    default:
        break;
    }
}

void ItemControl::SetShownText(const std::wstring& text)
{
    if (text == fShownText)
        return;
    fShownText = text;
    SetWindowTextW(fWindow, text.c_str());
}

void ItemControl::RefreshCheck()
{
    if (fItem.kind == ItemKind::checkBox || fItem.kind == ItemKind::radioButton)
        SendMessageW(fWindow, BM_SETCHECK, fItem.boolValue ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ItemControl::RefreshEntries()
{
    ListModel* list = fItem.List();
    if (!list)
        return;
    std::vector<std::wstring> entries;
    for (int32 i = 0; i < list->Count(); ++i)
        entries.push_back(WideText(list->At(i)->text));
    if (entries != fShownEntries) {
        SendMessageW(fWindow, CB_RESETCONTENT, 0, 0);
        for (const std::wstring& entry : entries)
            SendMessageW(fWindow, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        fShownEntries = std::move(entries);
        fShownActive = -2; // shown again below
    }
    const int active = list->ActiveIndex();
    if (active != fShownActive) {
        SendMessageW(fWindow, CB_SETCURSEL, WPARAM(active), 0);
        fShownActive = active;
    }
}

void ItemControl::Redraw()
{
    if (fWindow)
        InvalidateRect(fWindow, nullptr, TRUE);
}

std::optional<std::string> ItemControl::TakeEditedText()
{
    if (!fWindow || fItem.kind != ItemKind::textEdit)
        return std::nullopt;
    const std::wstring typed = WindowText(fWindow);
    if (typed == fShownText)
        return std::nullopt;
    fShownText = typed;
    return MacRomanText(typed);
}

void ItemControl::DrawPicture(const DRAWITEMSTRUCT& draw) const
{
    if (fPicture)
        fPicture->Draw(draw, fItem.enabled);
}

} // namespace owndm
