// Runs a filter module on an image: builds the filter record, registers the suites and calls the selectors.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Descriptor.h"
#include "FrontEnd.h"
#include "HostImage.h"
#include "HostProfile.h"
#include "PluginModule.h"

namespace vendrel {

struct HostConfig {
    std::string hostFolder;              // the folder that holds "Color Swatches"
    FrontEnd* frontEnd = nullptr;        // null: a silent front end that presses OK and never aborts
    std::set<std::string> withoutSuites; // suite names the host pretends not to have (for tests)
    // Sees every colour-services request as the plug-in made it, before the host answers it.
    std::function<void(const ColorServicesInfo&)> colorRequestObserver;
    HostProfile profile = HostProfile::full; // the facilities the host offers, as hosts of that kind do
};

struct RunOptions {
    std::optional<Descriptor> descriptor; // handed at parameters and at start (a fresh copy each time)
    bool showDialog = false;              // playInfo 1 (dialog) or 0 (no dialog)
};

struct RunResult {
    int16_t result = 0;                 // 0, -128 cancelled, -30100 the filter could not run, ...
    int16_t failedSelector = -1;        // the selector that answered non-zero, -1 when none did
    std::optional<Descriptor> recorded; // the descriptor the filter left after start: the recorded action
};

class FilterHost {
public:
    FilterHost(const PluginModule& module, HostConfig config);
    ~FilterHost();
    FilterHost(const FilterHost&) = delete;
    FilterHost& operator=(const FilterHost&) = delete;

    // The about selector with a fresh about record.
    int16_t about();

    // A whole run: parameters, prepare, start, continue until the filter asks for nothing, finish. Refuses
    // (HostError) an image whose mode the module does not enable or that is larger than 32767 pixels, before
    // any selector runs. A failed selector ends the run (finish is not sent) and the host's buffers and
    // handles are released either way; the image keeps what the filter wrote.
    RunResult run(HostImage& image, const RunOptions& options = {});

    // The bytes of the parameters handle kept between runs, empty when there is none.
    std::vector<uint8_t> parametersBytes() const;

    // Lower-level access for tests: build the record for an image, then call single selectors.
    void begin(HostImage& image);
    int16_t call(int16_t selector);
    FilterRecord& record();
    AboutRecord& aboutRecord();
    intptr_t& data();
    // Sets the descriptor handed with the next call, with playInfo (0 no dialog, 1 dialog).
    void setDescriptor(const std::optional<Descriptor>& descriptor, int16_t playInfo);
    // The descriptor the record holds now (what the filter wrote), if any.
    std::optional<Descriptor> currentDescriptor() const;

    const PluginModule& module() const;
    FrontEnd& frontEnd();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace vendrel
