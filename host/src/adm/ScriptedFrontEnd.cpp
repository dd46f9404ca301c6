#include "vendrel/host/ScriptedFrontEnd.h"

#include "vendrel/host/AdmDialog.h"

namespace vendrel {

namespace {

template <class... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

std::string ScriptedFrontEnd::describe(const Step& step)
{
    return std::visit(
        Overloaded{
            [](const Type& type) { return "type \"" + type.text + "\" into \"" + type.field + "\""; },
            [](const Click& click) { return "click \"" + click.item + "\""; },
            [](const ClickAt& click) { return "click item #" + std::to_string(click.index); },
            [](const ChooseText& choice) { return "choose \"" + choice.entry + "\" in \"" + choice.popup + "\""; },
            [](const ChooseIndex& choice) {
                return "choose entry " + std::to_string(choice.index) + " in \"" + choice.popup + "\"";
            },
            [](const ColorAnswer&) { return std::string("answer a colour pick"); },
            [](const Press& press) { return std::string(press.ok ? "press OK" : "press Cancel"); },
        },
        step);
}

ScriptedFrontEnd& ScriptedFrontEnd::add(Step step)
{
    steps_.push_back(std::move(step));
    return *this;
}

ScriptedFrontEnd& ScriptedFrontEnd::typeInto(const std::string& field, const std::string& text)
{
    return add(Type{field, text});
}

ScriptedFrontEnd& ScriptedFrontEnd::click(const std::string& item)
{
    return add(Click{item});
}

ScriptedFrontEnd& ScriptedFrontEnd::clickAt(size_t creationIndex)
{
    return add(ClickAt{creationIndex});
}

ScriptedFrontEnd& ScriptedFrontEnd::choose(const std::string& popup, const std::string& entryText)
{
    return add(ChooseText{popup, entryText});
}

ScriptedFrontEnd& ScriptedFrontEnd::choose(const std::string& popup, int entryIndex)
{
    return add(ChooseIndex{popup, entryIndex});
}

ScriptedFrontEnd& ScriptedFrontEnd::answerColorPick(Rgb color)
{
    return add(ColorAnswer{color});
}

ScriptedFrontEnd& ScriptedFrontEnd::cancelColorPick()
{
    return add(ColorAnswer{std::nullopt});
}

ScriptedFrontEnd& ScriptedFrontEnd::keepColorPick()
{
    return add(ColorAnswer{std::nullopt, true});
}

ScriptedFrontEnd& ScriptedFrontEnd::pressOK()
{
    return add(Press{true});
}

ScriptedFrontEnd& ScriptedFrontEnd::pressCancel()
{
    return add(Press{false});
}

void ScriptedFrontEnd::progress(int32_t done, int32_t total)
{
    progress_.emplace_back(done, total);
    if (abortAt_ && done >= *abortAt_)
        abortReached_ = true;
}

bool ScriptedFrontEnd::abortRequested()
{
    return abortReached_;
}

void ScriptedFrontEnd::alert(const std::string& message)
{
    alerts_.push_back(message);
}

std::optional<ScriptedFrontEnd::Rgb> ScriptedFrontEnd::pickColor(Rgb start)
{
    ++colorPicks_;
    pickStarts_.push_back(start);
    if (colorAnswers_.empty())
        return std::nullopt;
    const ColorAnswer answer = colorAnswers_.front();
    colorAnswers_.pop_front();
    return answer.keep ? std::optional<Rgb>(start) : answer.color;
}

void ScriptedFrontEnd::browseUrl(const std::string& url)
{
    urls_.push_back(url);
}

int32_t ScriptedFrontEnd::runModal(AdmDialog& dialog)
{
    dialogs_.push_back(dialog.name());
    if (modalHandler_)
        return modalHandler_(dialog);
    while (!dialog.ended() && !steps_.empty()) {
        const Step step = steps_.front();
        steps_.pop_front();
        if (!play(dialog, step))
            problems_.push_back(dialog.name() + ": could not " + describe(step));
    }
    return FrontEnd::runModal(dialog);
}

AdmItem* ScriptedFrontEnd::named(AdmDialog& dialog, const std::string& label)
{
    AdmItem* item = dialog.find(label);
    if (!item)
        problems_.push_back(dialog.name() + ": no item named \"" + label + "\"");
    return item;
}

bool ScriptedFrontEnd::play(AdmDialog& dialog, const Step& step)
{
    return std::visit(Overloaded{
                          [&](const Type& type) {
                              AdmItem* field = named(dialog, type.field);
                              return field && dialog.typeText(*field, type.text);
                          },
                          [&](const Click& click) {
                              AdmItem* item = named(dialog, click.item);
                              return item && dialog.click(*item);
                          },
                          [&](const ClickAt& click) {
                              AdmItem* item = dialog.itemAt(click.index);
                              return item && dialog.click(*item);
                          },
                          [&](const ChooseText& choice) {
                              AdmItem* popup = named(dialog, choice.popup);
                              return popup && dialog.choosePopupEntry(*popup, choice.entry);
                          },
                          [&](const ChooseIndex& choice) {
                              AdmItem* popup = named(dialog, choice.popup);
                              return popup && dialog.choosePopupEntry(*popup, choice.index);
                          },
                          [&](const ColorAnswer& answer) {
                              colorAnswers_.push_back(answer);
                              return true;
                          },
                          [&](const Press& press) { return press.ok ? dialog.pressOK() : dialog.pressCancel(); },
                      },
                      step);
}

} // namespace vendrel
