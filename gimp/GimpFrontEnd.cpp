#include "GimpFrontEnd.h"

#include <algorithm>

#include <libgimp/gimp.h>
#include <libgimp/gimpui.h>

#include "ColorPicker.h"
#include "vendrel/dialogwindow/DialogWindow.h"
#include "vendrel/host/DialogRenderer.h"
#include "vendrel/host/MacRoman.h"

namespace vendrel::gimp {

GimpFrontEnd::~GimpFrontEnd()
{
    if (progressShown_) {
        gimp_progress_end();
    }
}

void GimpFrontEnd::progress(int32_t done, int32_t total)
{
    if (total <= 0) {
        return;
    }
    // The bar starts with the walk, not before the dialog.
    if (!progressShown_) {
        progressShown_ = true;
        gimp_progress_init(progressLabel_.c_str());
    }
    // One PDB call per percent: the filter reports every row.
    int percent = int(std::clamp<int64_t>(int64_t(done) * 100 / total, 0, 100));
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        gimp_progress_update(percent / 100.0);
    }
}

void GimpFrontEnd::alert(const std::string& message)
{
    g_message("%s", macRomanToUtf8(message).c_str());
}

std::optional<std::array<uint8_t, 3>> GimpFrontEnd::pickColor(std::array<uint8_t, 3> start)
{
    return pickColorWithGimp(start);
}

void GimpFrontEnd::browseUrl(const std::string& url)
{
    GError* error = nullptr;
    if (!g_app_info_launch_default_for_uri(url.c_str(), nullptr, &error)) {
        g_message("Cannot open %s: %s", url.c_str(), error != nullptr ? error->message : "no browser");
        g_clear_error(&error);
    }
}

int32_t GimpFrontEnd::runModal(AdmDialog& dialog)
{
    if (!showDialogs_) {
        return FrontEnd::runModal(dialog);
    }
    dialogwindow::WindowHooks hooks;
    hooks.placeWindow = gimp_window_set_transient;
    return dialogwindow::runDialogWindow(dialog, renderDialog(dialog), hooks);
}

} // namespace vendrel::gimp
