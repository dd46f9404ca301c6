// A plain handle over a host dialog.
#pragma once

#include "ADMTypes.h"

class IADMDialog {
public:
    explicit IADMDialog(ADMDialogRef dialog = nullptr) : fDialog(dialog) {}

    ADMDialogRef GetDialogRef() const { return fDialog; }

protected:
    ADMDialogRef fDialog;
};
