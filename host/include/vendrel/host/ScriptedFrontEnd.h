// A front end that plays a script instead of a user: for tests and headless runs.
//
// The script is a list of steps, played in order whenever the host runs a modal dialog. A dialog takes steps
// until one of them ends it (OK, Cancel, or a click that closes it); the remaining steps wait for the next
// dialog. When the script runs out with the dialog still open, OK is pressed. Items are named by tooltip
// first, then by text (see AdmDialog::find), or by their creation index.
//
//     ScriptedFrontEnd script;
//     script.typeInto("Flag area size in pixels", "25").click("Flag Areas <=").answerColorPick({255, 0, 0})
//           .click("Select color to replace with Vendrel").choose("Select color pallete used for filling", "Random Colors")
//           .pressOK();
//
// A step that cannot be played (no such item, a disabled item, an entry that is not offered) is skipped and
// described in problems(), so that a test can tell a mistyped script from a dialog that misbehaves.
//
// It also records what the host showed (alerts, opened web addresses, progress) and can ask the filter to
// stop once the progress reaches a given row. onModal() replaces the script with a callback for full control.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "AdmDialog.h"
#include "FrontEnd.h"

namespace vendrel {

class ScriptedFrontEnd : public FrontEnd {
public:
    using Rgb = std::array<uint8_t, 3>;

    // Script steps; each returns the front end so that steps chain.
    ScriptedFrontEnd& typeInto(const std::string& field, const std::string& text);
    ScriptedFrontEnd& click(const std::string& item);
    ScriptedFrontEnd& clickAt(size_t creationIndex);
    ScriptedFrontEnd& choose(const std::string& popup, const std::string& entryText);
    ScriptedFrontEnd& choose(const std::string& popup, int entryIndex);
    // The answer to the next colour pick: a colour, or a cancelled picker. Picks without an answer cancel.
    ScriptedFrontEnd& answerColorPick(Rgb color);
    ScriptedFrontEnd& cancelColorPick();
    // The next colour pick is confirmed as the picker opened, untouched: its answer is the colour it started from.
    ScriptedFrontEnd& keepColorPick();
    ScriptedFrontEnd& pressOK();
    ScriptedFrontEnd& pressCancel();

    // Full control: the callback runs each modal dialog instead of the script and returns the ending id.
    void onModal(std::function<int32_t(AdmDialog&)> handler) { modalHandler_ = std::move(handler); }
    // The filter is asked to stop once a progress report reaches this many rows done.
    void abortAtProgress(int32_t rowsDone) { abortAt_ = rowsDone; }

    // FrontEnd
    void progress(int32_t done, int32_t total) override;
    bool abortRequested() override;
    void alert(const std::string& message) override;
    std::optional<Rgb> pickColor(Rgb start) override;
    void browseUrl(const std::string& url) override;
    int32_t runModal(AdmDialog& dialog) override;

    // What happened.
    const std::vector<std::string>& alerts() const { return alerts_; }
    const std::vector<std::string>& browsedUrls() const { return urls_; }
    const std::vector<std::pair<int32_t, int32_t>>& progressReports() const { return progress_; }
    const std::vector<std::string>& dialogsShown() const { return dialogs_; } // by name, in order
    int colorPicks() const { return colorPicks_; }
    const std::vector<Rgb>& colorPickStarts() const { return pickStarts_; } // the colour each picker opened on
    const std::vector<std::string>& problems() const { return problems_; }
    size_t stepsLeft() const { return steps_.size(); }

private:
    struct Type {
        std::string field, text;
    };
    struct Click {
        std::string item;
    };
    struct ClickAt {
        size_t index;
    };
    struct ChooseText {
        std::string popup, entry;
    };
    struct ChooseIndex {
        std::string popup;
        int index;
    };
    struct ColorAnswer {
        std::optional<Rgb> color;
        bool keep = false; // the picker's start, untouched
    };
    struct Press {
        bool ok;
    };
    using Step = std::variant<Type, Click, ClickAt, ChooseText, ChooseIndex, ColorAnswer, Press>;

    ScriptedFrontEnd& add(Step step);
    bool play(AdmDialog& dialog, const Step& step);
    static std::string describe(const Step& step);
    AdmItem* named(AdmDialog& dialog, const std::string& label);

    std::deque<Step> steps_;
    std::deque<ColorAnswer> colorAnswers_;
    std::function<int32_t(AdmDialog&)> modalHandler_;
    std::optional<int32_t> abortAt_;
    bool abortReached_ = false;
    std::vector<std::string> alerts_;
    std::vector<std::string> urls_;
    std::vector<std::pair<int32_t, int32_t>> progress_;
    std::vector<std::string> dialogs_;
    std::vector<std::string> problems_;
    int colorPicks_ = 0;
    std::vector<Rgb> pickStarts_;
};

} // namespace vendrel
