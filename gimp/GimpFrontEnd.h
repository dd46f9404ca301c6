// The host's front end inside GIMP: progress in GIMP's progress bar, alerts as GIMP messages, GIMP's colour
// selector for colour picks, and the filter's dialogs drawn with GTK.
#pragma once

#include "vendrel/host/FrontEnd.h"

namespace vendrel::gimp {

class GimpFrontEnd : public FrontEnd {
public:
    // showDialogs false: every dialog is confirmed as it opens, without being shown.
    explicit GimpFrontEnd(bool showDialogs) : showDialogs_(showDialogs) {}

    void progress(int32_t done, int32_t total) override;
    void alert(const std::string& message) override;
    std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3> start) override;
    void browseUrl(const std::string& url) override;
    int32_t runModal(AdmDialog& dialog) override;

private:
    bool showDialogs_;
    int lastPercent_ = -1;
};

} // namespace vendrel::gimp
