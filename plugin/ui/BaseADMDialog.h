// A host dialog with virtual operations: the host's callbacks reach the object through the dialog's user data.
#pragma once

#include "ADMCallbacks.h"
#include "ADMSuites.h"
#include "IADMDialog.h"

class BaseADMDialog : public IADMDialog {
public:
    BaseADMDialog() = default;
    BaseADMDialog(const BaseADMDialog&) = delete;
    BaseADMDialog& operator=(const BaseADMDialog&) = delete;

    // Installs the draw, track, notify and destroy callbacks; derived dialogs call it first, then build items.
    virtual ASErr Init();
    virtual void Draw(ADMDrawerRef drawer);
    virtual bool Track(ADMTrackerRef tracker);
    virtual void Notify(ADMNotifierRef notifier);
    // Called when the host destroys the dialog.
    virtual void Destroy() {}
    // A non-modal wrapper still attached takes its host dialog down with it; a modal one never does.
    virtual ~BaseADMDialog();
    // A non-modal dialog; its reference is kept and returned (null on failure).
    virtual ADMDialogRef Create(ADMPluginRef pluginRef, const char* name, int32 dialogID, int32 style, int32 options);
    // Runs a modal dialog and returns the id of the item that ended it.
    virtual int32 Modal(ADMPluginRef pluginRef, const char* name, int32 dialogID, int32 style, int32 options);

    bool IsModal() const { return fModal != 0; }

private:
    using Callbacks = ADMCallbacks<BaseADMDialog, ADMDialogRef, &BaseADMDialog::Draw>;
    friend Callbacks;

    static BaseADMDialog* FromRef(ADMDialogRef dialog);
    void AttachRef(ADMDialogRef dialog) { fDialog = dialog; }
    static void DestroyProc(ADMDialogRef dialog);

    int32 fModal = 0;
};
