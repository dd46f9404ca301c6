#include "DialogWindow_win.h"

#include <algorithm>

#include "DialogFrame.h"
#include "DialogTemplate_win.h"
#include "GdiSurface_win.h"
#include "OwnActions.h"
#include "OwnLiveObjects.h"
#include "OwnModule_win.h"
#include "PaintScope_win.h"
#include "WideText_win.h"

namespace owndm {

namespace {

TemplateFrame TemplateFrameOf(const DialogModel& dialog)
{
    return TemplateFrame{WideText(dialog.caption), WideText(dialog.fontName), WORD(dialog.pointSize),
                         short(PixelsToDialogUnitsX(Width(dialog.frame))),
                         short(PixelsToDialogUnitsY(Height(dialog.frame)))};
}

// Where a dialog box is centred: on its owner when it has a visible one, else on the work area.
RECT CentringArea(HWND owner)
{
    RECT area{};
    if (owner && IsWindowVisible(owner) && GetWindowRect(owner, &area))
        return area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

bool IsRadio(const ItemControl& control)
{
    return control.Item().kind == ItemKind::radioButton;
}

void SetGroupStart(HWND window, bool startsGroup)
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, startsGroup ? (style | WS_GROUP) : (style & ~LONG_PTR(WS_GROUP)));
}

} // namespace

DialogWindow::~DialogWindow()
{
    if (fDialog.View() == this)
        fDialog.AttachView(nullptr);
}

void DialogWindow::Run()
{
    const std::vector<WORD> words = BuildDialogTemplate(TemplateFrameOf(fDialog));
    DialogBoxIndirectParamW(OwnModuleHandle(), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), GetActiveWindow(),
                            Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            reinterpret_cast<DialogWindow*>(lParam)->Open(window);
            return FALSE; // the focus is set by Open
        }
        auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
        return self ? self->Handle(message, wParam, lParam) : FALSE;
    } catch (...) {
        // Nothing may leave a window procedure. A dialog that could not be opened ends at once; any other
        // message counts as not handled.
        if (message == WM_INITDIALOG)
            EndDialog(window, 0);
        return FALSE;
    }
}

// TRUE when the message was handled here.
INT_PTR DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (ItemControl* control = ControlOf(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem)) {
            control->DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_PAINT:
        if (!fDialog.procs.draw)
            return FALSE;
        Paint();
        return TRUE;
    case WM_CLOSE:
        PressWithoutControl(IDCANCEL);
        return TRUE;
    case WM_DESTROY:
        Close();
        return FALSE;
    default:
        return FALSE;
    }
}

void DialogWindow::Open(HWND window)
{
    fWindow = window;
    fTooltips = std::make_unique<ItemTooltips>(window);
    fDialog.AttachView(this);
    for (ItemModel* item : fDialog.Items())
        if (!item->destroying)
            AddControl(*item);
    ArrangeTabOrder();
    FitToFrame();
    CentreOnOwner();
    SendMessageW(window, DM_SETDEFID, WPARAM(fDialog.defaultID & 0xFFFF), 0);
    FocusFirstControl();
}

// The window is going: the model hears of it no more, and every control goes with it.
void DialogWindow::Close()
{
    fClosing = true;
    if (fDialog.View() == this)
        fDialog.AttachView(nullptr);
    std::vector<std::unique_ptr<ItemControl>> controls = std::move(fControls);
    controls.clear();
    fTooltips.reset();
    fWindow = nullptr;
}

void DialogWindow::AddControl(ItemModel& item)
{
    auto control = std::make_unique<ItemControl>(fWindow, item, fDialog.frame);
    if (!control->Window())
        return;
    ShowTip(*control);
    fControls.push_back(std::move(control));
}

void DialogWindow::ShowTip(const ItemControl& control)
{
    if (fTooltips)
        fTooltips->Set(control.Window(), WideText(control.Item().tip));
}

void DialogWindow::FitToFrame()
{
    RECT outer{0, 0, LONG(Width(fDialog.frame)), LONG(Height(fDialog.frame))};
    AdjustWindowRectEx(&outer, DWORD(GetWindowLongPtrW(fWindow, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(fWindow, GWL_EXSTYLE)));
    SetWindowPos(fWindow, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::CentreOnOwner()
{
    const RECT area = CentringArea(GetWindow(fWindow, GW_OWNER));
    RECT own{};
    GetWindowRect(fWindow, &own);
    const LONG width = own.right - own.left;
    const LONG height = own.bottom - own.top;
    const LONG left = std::max(area.left, area.left + (area.right - area.left - width) / 2);
    const LONG top = std::max(area.top, area.top + (area.bottom - area.top - height) / 2);
    SetWindowPos(fWindow, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Tab and the arrow keys follow the controls from top to bottom, left to right.
std::vector<ItemControl*> DialogWindow::TabOrder() const
{
    std::vector<ItemControl*> order;
    for (const auto& control : fControls)
        order.push_back(control.get());
    std::stable_sort(order.begin(), order.end(), [](const ItemControl* a, const ItemControl* b) {
        const ADMRect& first = a->Item().bounds;
        const ADMRect& second = b->Item().bounds;
        return first.top != second.top ? first.top < second.top : first.left < second.left;
    });
    return order;
}

// The windows' order is the tab order; consecutive radio buttons form one group, every other control a group of
// its own.
void DialogWindow::ArrangeTabOrder()
{
    HWND previous = HWND_TOP;
    bool previousIsRadio = false;
    for (ItemControl* control : TabOrder()) {
        SetWindowPos(control->Window(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetGroupStart(control->Window(), !(IsRadio(*control) && previousIsRadio));
        previous = control->Window();
        previousIsRadio = IsRadio(*control);
    }
}

// The first entry field in tab order, else the default button, so that Enter at once means OK and never a
// button that happens to come first. Posted, to take effect once the dialog box has finished opening;
// WM_NEXTDLGCTL also selects the text of an entry field it moves to.
void DialogWindow::FocusFirstControl()
{
    // The dialog box itself shows only after it has opened: a control's own visible style is what counts.
    const auto canFocus = [](const ItemControl* control) {
        return control && (GetWindowLongPtrW(control->Window(), GWL_STYLE) & WS_VISIBLE) &&
               IsWindowEnabled(control->Window());
    };
    const std::vector<ItemControl*> order = TabOrder();
    const auto field = std::find_if(order.begin(), order.end(), [&](const ItemControl* control) {
        return control->Item().kind == ItemKind::textEdit && canFocus(control);
    });
    const ItemModel* defaultItem = fDialog.Item(fDialog.defaultID);
    const ItemControl* defaultButton = defaultItem ? ControlFor(*defaultItem) : nullptr;
    HWND first = field != order.end()      ? (*field)->Window()
                 : canFocus(defaultButton) ? defaultButton->Window()
                                           : GetNextDlgTabItem(fWindow, nullptr, FALSE);
    if (first)
        PostMessageW(fWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

void DialogWindow::Command(WORD id, WORD code, HWND controlWindow)
{
    if (fClosing)
        return;
    ItemControl* control = ControlOf(controlWindow);
    if (!control) {
        PressWithoutControl(id);
        return;
    }
    ItemModel& item = control->Item();
    switch (item.kind) {
    case ItemKind::textEdit:
        if (code == EN_KILLFOCUS)
            CommitField(*control);
        break;
    case ItemKind::popupList:
        if (code == CBN_SELCHANGE)
            ChooseEntry(item, int32(SendMessageW(control->Window(), CB_GETCURSEL, 0, 0)));
        break;
    case ItemKind::checkBox:
    case ItemKind::radioButton:
        if (code == BN_CLICKED)
            ClickItem(item);
        break;
    case ItemKind::textPushButton:
    case ItemKind::picturePushButton:
        if (code == BN_CLICKED)
            PressButton(item);
        break;
    default:
        break;
    }
}

// Any button but Cancel first takes the entry fields' texts as the user left them.
void DialogWindow::PressButton(ItemModel& button)
{
    ItemModel* const address = &button;
    if (button.id != fDialog.cancelID)
        CommitFields();
    if (IsLive(address, Kind::item))
        ClickItem(*address);
}

// Enter, Escape or the close box when the dialog has no control for the default or cancel item.
void DialogWindow::PressWithoutControl(WORD id)
{
    if (id == IDOK) {
        CommitFields();
        PressDialogItem(fDialog, fDialog.defaultID);
    } else if (id == IDCANCEL) {
        PressDialogItem(fDialog, fDialog.cancelID);
    }
}

void DialogWindow::CommitField(ItemControl& control)
{
    if (std::optional<std::string> text = control.TakeEditedText())
        EnterFieldText(control.Item(), *text);
}

// Each field's notification may change the dialog: every field is found again before it is read.
void DialogWindow::CommitFields()
{
    std::vector<HWND> fields;
    for (const auto& control : fControls)
        if (control->Item().kind == ItemKind::textEdit)
            fields.push_back(control->Window());
    for (HWND field : fields)
        if (ItemControl* control = ControlOf(field); control && !fClosing)
            CommitField(*control);
}

void DialogWindow::Paint()
{
    PaintScope paint(fWindow);
    GdiSurface surface(paint.DC(), fDialog.frame, nullptr);
    fDialog.procs.draw(fDialog.Ref(), surface.Ref());
}

ItemControl* DialogWindow::ControlOf(HWND window) const
{
    if (!window)
        return nullptr;
    for (const auto& control : fControls)
        if (control->Window() == window)
            return control.get();
    return nullptr;
}

ItemControl* DialogWindow::ControlFor(const ItemModel& item) const
{
    for (const auto& control : fControls)
        if (&control->Item() == &item)
            return control.get();
    return nullptr;
}

void DialogWindow::ItemAdded(ItemModel& item)
{
    if (!fWindow || fClosing)
        return;
    AddControl(item);
    ArrangeTabOrder();
}

void DialogWindow::ItemRemoved(ItemModel& item)
{
    const auto found = std::find_if(fControls.begin(), fControls.end(),
                                    [&](const auto& control) { return &control->Item() == &item; });
    if (found == fControls.end())
        return;
    if (fTooltips)
        fTooltips->Remove((*found)->Window());
    std::unique_ptr<ItemControl> removed = std::move(*found);
    fControls.erase(found);
}

void DialogWindow::ItemChanged(ItemModel& item)
{
    if (ItemControl* control = ControlFor(item)) {
        control->Refresh(fDialog.frame);
        ShowTip(*control);
    }
}

void DialogWindow::ItemInvalidated(ItemModel& item)
{
    if (ItemControl* control = ControlFor(item))
        control->Redraw();
}

void DialogWindow::DialogChanged()
{
    if (!fWindow || fClosing)
        return;
    FitToFrame();
    for (const auto& control : fControls)
        control->Refresh(fDialog.frame);
    InvalidateRect(fWindow, nullptr, TRUE);
}

void DialogWindow::DialogEnded()
{
    if (fWindow && !fClosing)
        EndDialog(fWindow, 0);
}

} // namespace owndm
