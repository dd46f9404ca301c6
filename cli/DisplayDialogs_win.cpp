// On Windows a run with --dialog goes through a host without a dialog manager, and the module draws its own
// dialog with Windows controls; the command itself shows no windows.
#include "DisplayDialogs.h"

namespace vendrel {

std::unique_ptr<DisplayDialogs> openDisplayDialogs(std::string& why)
{
    why = "this host (--host-profile full) confirms the dialog itself; the module shows its own dialog with "
          "--host-profile no-dialog-manager, the default with --dialog";
    return nullptr;
}

const char* dialogOptionHelp()
{
    return "go through the filter's dialog: the last confirmed settings, overlaid by the options; the module "
           "shows its own dialog for you to confirm";
}

} // namespace vendrel
