#include "vendrel/host/FrontEnd.h"

#include "vendrel/host/AdmDialog.h"

namespace vendrel {

// A front end without a user accepts every dialog as the plug-in set it up.
int32_t FrontEnd::runModal(AdmDialog& dialog)
{
    dialog.pressOK();
    return dialog.ended() ? dialog.endingId() : dialog.defaultItemId();
}

} // namespace vendrel
