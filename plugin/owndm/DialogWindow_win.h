// A dialog of the model shown as a Windows dialog box: a modal dialog of the standard dialog class, made from an
// in-memory template, with one native control per item. The dialog box's own message loop runs it, so Enter,
// Escape, Tab and the arrow keys work as in any dialog box. The user's input becomes the model's actions; the
// model's changes come back through DialogView.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ItemControl_win.h"
#include "ItemTooltips_win.h"
#include "OwnModel.h"

namespace owndm {

class DialogWindow final : public DialogView {
public:
    explicit DialogWindow(DialogModel& dialog) : fDialog(dialog) {}
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Shows the dialog, owned by the thread's active window, until the model ends it; returns at once when
    // Windows cannot show it.
    void Run();

    void ItemAdded(ItemModel& item) override;
    void ItemRemoved(ItemModel& item) override;
    void ItemChanged(ItemModel& item) override;
    void ItemInvalidated(ItemModel& item) override;
    void DialogChanged() override;
    void DialogEnded() override;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Open(HWND window);
    void Close();
    void AddControl(ItemModel& item);
    void ShowTip(const ItemControl& control);
    void FitToFrame();
    void CentreOnOwner();
    std::vector<ItemControl*> TabOrder() const;
    void ArrangeTabOrder();
    void FocusFirstControl();
    void Command(WORD id, WORD code, HWND controlWindow);
    void PressButton(ItemModel& button);
    void PressWithoutControl(WORD id);
    void CommitField(ItemControl& control);
    void CommitFields();
    void Paint();
    ItemControl* ControlOf(HWND window) const;
    ItemControl* ControlFor(const ItemModel& item) const;

    DialogModel& fDialog;
    HWND fWindow = nullptr;
    bool fClosing = false;
    std::vector<std::unique_ptr<ItemControl>> fControls;
    std::unique_ptr<ItemTooltips> fTooltips;
};

} // namespace owndm
