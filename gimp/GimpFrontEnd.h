// The host's front end inside GIMP: progress in GIMP's progress bar, alerts as GIMP messages, GIMP's colour
// selector for colour picks, and the filter's dialogs drawn with GTK.
#pragma once

#include <string>
#include <utility>

#include "vendrel/host/FrontEnd.h"

namespace vendrel::gimp {

class GimpFrontEnd : public FrontEnd {
public:
    // showDialogs false: every dialog is confirmed as it opens, without being shown.
    // progressLabel: what GIMP's progress bar says while the filter walks the image.
    GimpFrontEnd(bool showDialogs, std::string progressLabel)
        : showDialogs_(showDialogs), progressLabel_(std::move(progressLabel))
    {
    }
    ~GimpFrontEnd() override;

    void progress(int32_t done, int32_t total) override;
    void alert(const std::string& message) override;
    std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3> start) override;
    void browseUrl(const std::string& url) override;
    int32_t runModal(AdmDialog& dialog) override;

private:
    bool showDialogs_;
    std::string progressLabel_;
    bool progressShown_ = false;
    int lastPercent_ = -1;
};

} // namespace vendrel::gimp
