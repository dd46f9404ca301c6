#include "vendrel/host/ConfirmedSettings.h"

#include "vendrel/host/AdmDialog.h"
#include "vendrel/host/FrontEnd.h"

namespace vendrel {

namespace {

// Passes the dialog, the colour picker, web links and abort requests to the user's front end; keeps the
// stand-in run's progress and alerts (such as "not found" on a one-pixel image) to itself.
class StandInFrontEnd : public FrontEnd {
public:
    explicit StandInFrontEnd(FrontEnd* user) : user_(user) {}

    bool abortRequested() override { return user_ != nullptr && user_->abortRequested(); }
    std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3> start) override
    {
        return user_ != nullptr ? user_->pickColor(start) : std::nullopt;
    }
    void browseUrl(const std::string& url) override
    {
        if (user_ != nullptr) {
            user_->browseUrl(url);
        }
    }
    int32_t runModal(AdmDialog& dialog) override
    {
        return user_ != nullptr ? user_->runModal(dialog) : FrontEnd::runModal(dialog);
    }

private:
    FrontEnd* user_;
};

} // namespace

ConfirmedSettings confirmSettings(const PluginModule& module, const HostConfig& config, const RunOptions& options,
                                  const HostImage& image)
{
    StandInFrontEnd frontEnd(config.frontEnd);
    HostConfig standInConfig = config;
    standInConfig.frontEnd = &frontEnd;
    HostImage standIn = HostImage::blank(1, 1, image.mode, image.hasAlpha);
    FilterHost host(module, standInConfig);
    RunResult run = host.run(standIn, options);
    ConfirmedSettings settings;
    settings.result = run.result;
    if (run.result == 0) {
        settings.descriptor = std::move(run.recorded);
    }
    return settings;
}

} // namespace vendrel
