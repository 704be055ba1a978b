#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "tests/support/quantity_letters.h"
#include "tests/support/effect_printing.h"
#include "tests/support/windowless_form.h"

namespace tubaro {
namespace {

using namespace letters;
using namespace std::chrono_literals;
using C = ControlId;
using K = FormEvent::Kind;

FormEvent on(K kind, std::optional<ControlId> control = std::nullopt, Part part = Part::Whole)
{
    FormEvent event;
    event.kind = kind;
    event.control = control;
    event.part = part;
    return event;
}

FormEvent with_key(FormEvent event, KeyChord key, bool repeat = false)
{
    event.key = key;
    event.repeat = repeat;
    return event;
}

FormEvent with_cause(FormEvent event, FocusCause cause)
{
    event.cause = cause;
    return event;
}

FormEvent up_inside(FormEvent event, bool inside)
{
    event.inside = inside;
    return event;
}

FormEvent fired(Timer timer)
{
    FormEvent event = on(K::TimerFired);
    event.timer = timer;
    return event;
}

constexpr KeyChord kTab{Key::Tab, 0, 0};
constexpr KeyChord kFive{Key::Other, '5', 0};
const WindowTraits kDesktop{};
const WindowTraits kPage{StayOnTop::AtAClick, false, true, true};

// State: a window of these traits after `before` (a user's steps); event:
// one more; expected: the effects the form answers, in order, and whether it
// took the event from the toolkit.
struct Row {
    const char* name;
    WindowTraits traits;
    std::function<void(WindowlessForm&)> before;
    FormEvent event;
    std::vector<Effect> effects;
    bool taken = false;
};

class Answers : public testing::TestWithParam<Row> {};

TEST_P(Answers, ToOneEvent)
{
    const Row& row = GetParam();
    WindowlessForm form(",", row.traits);
    if (row.before)
        row.before(form);
    const FormReply reply = form.send(row.event);
    EXPECT_EQ(reply.effects, row.effects);
    EXPECT_EQ(reply.taken, row.taken);
}

const auto kDivisionByZeroInTextL = [](WindowlessForm& form) {
    form.paste(L, "1");
    form.step(L, -1);
};

INSTANTIATE_TEST_SUITE_P(
    Rows, Answers,
    testing::Values(
        // The start: the focus goes to the first stop, unless the user has
        // already put it somewhere; the window takes it back when active.
        Row{"ShownFocusesTextY", kDesktop, {}, on(K::Shown), {Focus{C::Text_Y, FocusCause::Program}}},
        Row{"ShownLeavesAFocusAlreadyTaken", kPage, [](WindowlessForm& f) { f.focus(P, FocusCause::Pointer); },
            on(K::Shown), {}},
        Row{"ActivatedTakesTheFocusBack", kDesktop,
            [](WindowlessForm& f) {
                f.focus(P, FocusCause::Pointer);
                f.focus_away();
            },
            with_cause(on(K::Activated), FocusCause::Activation), {Focus{C::Text_P, FocusCause::Activation}}},
        // Tab selects a field's text as it arrives, so typing replaces it.
        Row{"TabIntoAField", kDesktop, {}, with_key(on(K::KeyDown, C::Text_Y), kTab),
            {Focus{C::Text_P, FocusCause::Tab}, SelectAll{C::Text_P}}, true},
        Row{"TabOntoArrows", kDesktop, {}, with_key(on(K::KeyDown, C::Text_P), kTab), {Focus{C::UpDown_P, FocusCause::Tab}},
            true},
        // An arrow steps as it goes down, again after 400 ms, then every
        // 80 ms, until it comes up; the focus stays where it is.
        Row{"ArrowDown", kDesktop, {}, on(K::PointerDown, C::UpDown_P, Part::UpArrow),
            {SetText{C::Text_P, "117"}, StartTimer{Timer::HeldArrow, 400ms}}, true},
        Row{"ArrowHeld", kDesktop, [](WindowlessForm& f) { f.send(on(K::PointerDown, C::UpDown_P, Part::UpArrow)); },
            fired(Timer::HeldArrow), {SetText{C::Text_P, "118"}, StartTimer{Timer::HeldArrow, 80ms}}},
        Row{"ArrowUp", kDesktop, [](WindowlessForm& f) { f.send(on(K::PointerDown, C::UpDown_P, Part::DownArrow)); },
            up_inside(on(K::PointerUp, C::UpDown_P, Part::DownArrow), true), {StopTimer{Timer::HeldArrow}}},
        Row{"NoArrowHeld", kDesktop, {}, fired(Timer::HeldArrow), {}},
        Row{"APlatformsOwnStep", kDesktop, {}, on(K::SpinStepped, C::UpDown_Y, Part::DownArrow),
            {SetText{C::Text_Y, "99"}}},
        Row{"AnArrowByTheKeyboard", kDesktop, {}, on(K::Click, C::UpDown_L, Part::UpArrow),
            {SetText{C::Text_L, "31"}}},
        // A held key's repeated release is no release.
        Row{"RepeatedRelease", kDesktop, [](WindowlessForm& f) { f.paste(P, "10"); },
            with_key(on(K::KeyUp, C::Text_P), kFive, true), {}},
        // A click in a text box is a press and a release inside it; a
        // double click counts once.
        Row{"TextOneClicked", kDesktop, [](WindowlessForm& f) { f.send(on(K::PointerDown, C::Text1)); },
            up_inside(on(K::PointerUp, C::Text1), true), {SetText{C::Text1, "https://www.tubaro.example/gas"}}},
        Row{"ReleasedOutside", kDesktop, [](WindowlessForm& f) { f.send(on(K::PointerDown, C::Text1)); },
            up_inside(on(K::PointerUp, C::Text1), false), {}},
        // The note: beside the field, for 4 s or until a good result.
        Row{"ANote", kDesktop, [](WindowlessForm& f) { f.paste(L, "1"); },
            on(K::PointerDown, C::UpDown_L, Part::DownArrow),
            {SetText{C::Text_L, "0"}, ShowNote{C::Text_L, ErrorKind::DivisionByZero, "Divisione per zero"},
             StartTimer{Timer::ErrorNote, 4000ms}, StartTimer{Timer::HeldArrow, 400ms}},
            true},
        Row{"TheNotesTimeIsUp", kDesktop, kDivisionByZeroInTextL, fired(Timer::ErrorNote), {HideNote{C::Text_L}}},
        Row{"AGoodResultTakesTheNoteAway", kDesktop, kDivisionByZeroInTextL,
            on(K::PointerDown, C::UpDown_L, Part::UpArrow),
            {SetText{C::Text_L, "1"}, SetText{C::Text_D, "18"}, SetText{C::Text_Pollici, "3/4\""}, HideNote{C::Text_L},
             StopTimer{Timer::ErrorNote},
             StartTimer{Timer::HeldArrow, 400ms}},
            true},
        // Staying on top as the box shows it once clicked, and its end.
        Row{"CheckOneClicked", kDesktop, [](WindowlessForm& f) { f.click_check1(); }, on(K::Click, C::Check1),
            {KeepOnTop{false}}},
        Row{"FloatingEnded", kPage, [](WindowlessForm& f) { f.click_check1(); }, on(K::TopmostEnded),
            {SetValue{C::Check1, 0}}},
        // A focus the toolkit cannot account for came by the pointer that
        // went down just before it, unless another window came between:
        // the release of a Tab is the arrival's only then.
        Row{"FocusAfterAPress", kDesktop,
            [](WindowlessForm& f) {
                f.paste(P, "10");
                f.send(on(K::PointerDown));
                f.focus(P, FocusCause::Unknown);
            },
            with_key(on(K::KeyUp, C::Text_P), kTab), {SetText{C::Text_D, "15"}, SetText{C::Text_Pollici, "1/2\""}}},
        Row{"FocusAfterAKeyElsewhere", kDesktop,
            [](WindowlessForm& f) {
                f.paste(P, "10");
                f.send(on(K::PointerDown));
                f.send(on(K::KeyOutside));
                f.focus(P, FocusCause::Unknown);
            },
            with_key(on(K::KeyUp, C::Text_P), kTab), {}},
        Row{"FocusBackFromTheBrowsersBar", kDesktop,
            [](WindowlessForm& f) {
                f.paste(P, "10");
                f.send(on(K::PointerDown));
                f.send(on(K::Deactivated));
                f.focus(P, FocusCause::Unknown);
            },
            with_key(on(K::KeyUp, C::Text_P), kTab), {}},
        // A desktop window keeps no sizing; a page does (the rows of
        // PageRecord say what it keeps).
        Row{"NoSizingOnTheDesktop", kDesktop, [](WindowlessForm& f) { f.paste(P, "10"); },
            with_key(on(K::KeyUp, C::Text_P), kFive), {SetText{C::Text_D, "15"}, SetText{C::Text_Pollici, "1/2\""}}}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

}  // namespace
}  // namespace tubaro
