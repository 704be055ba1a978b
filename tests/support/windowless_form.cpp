#include "tests/support/windowless_form.h"

#include <type_traits>
#include <utility>

namespace tubaro {

namespace {

FormEvent event_of(FormEvent::Kind kind, std::optional<ControlId> control = std::nullopt)
{
    FormEvent event{};
    event.kind = kind;
    event.control = control;
    return event;
}

ControlId field_of(Quantity quantity)
{
    return kQuantityControls[quantity].field;
}

}  // namespace

WindowlessForm::WindowlessForm(std::string decimal_separator, WindowTraits traits, DoneBeforeBinding done)
    : m_form(traits, std::move(decimal_separator)), m_state(start_state(traits))
{
    // What the user left on a page's elements before the binding.
    if (done.option)
        for (Quantity quantity : kQuantities)
            m_state[kQuantityControls[quantity].option].value = quantity == *done.option ? 1 : 0;
    if (done.check1_ticked && m_state[ControlId::Check1].enabled)
        m_state[ControlId::Check1].value = 1;
    FormEvent loaded = event_of(FormEvent::Kind::Loaded);
    for (const auto& [id, text] : done.texts) {
        m_state[id].text = text;
        loaded.changed_before_binding.push_back(id);
    }
    loaded.address = done.address;
    send(std::move(loaded));
}

const FormReply& WindowlessForm::send(FormEvent event)
{
    m_reply = m_form.handle(event, m_state);
    for (const Effect& effect : m_reply.effects)
        apply(effect);
    return m_reply;
}

void WindowlessForm::apply(const Effect& effect)
{
    std::visit(
        [this](const auto& each) {
            using Each = std::decay_t<decltype(each)>;
            if constexpr (std::is_same_v<Each, SetText>) {
                m_state[each.control].text = each.text;
                if (mode() && each.control == field_of(*mode()) && !each.text.empty())
                    ++m_results_written;
            } else if constexpr (std::is_same_v<Each, SetValue>) {
                m_state[each.control].value = each.value;
            } else if constexpr (std::is_same_v<Each, SetVisible>) {
                m_state[each.control].visible = each.visible;
            } else if constexpr (std::is_same_v<Each, Focus>) {
                m_state.focused = each.control;
            } else if constexpr (std::is_same_v<Each, ShowNote>) {
                m_notes.push_back(each);
                if (each.kind)
                    m_kinds.push_back(*each.kind);
                else
                    ++m_other_failures;
                m_note_shown = true;
            } else if constexpr (std::is_same_v<Each, HideNote>) {
                m_note_shown = false;
            } else if constexpr (std::is_same_v<Each, StartTimer>) {
                m_timers[static_cast<std::size_t>(each.timer)] = each.after;
            } else if constexpr (std::is_same_v<Each, StopTimer>) {
                m_timers[static_cast<std::size_t>(each.timer)].reset();
            } else if constexpr (std::is_same_v<Each, KeepOnTop>) {
                m_topmost = each.on;
            } else if constexpr (std::is_same_v<Each, SizingChanged>) {
                m_records.push_back(each.record);
            }
            // SelectAll: nothing a test reads.
        },
        effect);
}

void WindowlessForm::press_key(Quantity field, KeyChord key)
{
    FormEvent event = event_of(FormEvent::Kind::KeyDown, field_of(field));
    event.key = key;
    send(event);
}

bool WindowlessForm::press(std::optional<ControlId> control, KeyChord key, bool repeat)
{
    FormEvent event = event_of(FormEvent::Kind::KeyDown, control);
    event.key = key;
    event.repeat = repeat;
    return send(event).taken;
}

void WindowlessForm::release_key(Quantity field, KeyChord key)
{
    FormEvent event = event_of(FormEvent::Kind::KeyUp, field_of(field));
    event.key = key;
    send(event);
}

void WindowlessForm::focus(Quantity field, FocusCause cause)
{
    if (m_state.focused)
        send(event_of(FormEvent::Kind::FocusOut, m_state.focused));
    m_state.focused = field_of(field);
    FormEvent event = event_of(FormEvent::Kind::FocusIn, field_of(field));
    event.cause = cause;
    send(event);
}

void WindowlessForm::focus_away()
{
    if (const auto had = std::exchange(m_state.focused, std::nullopt))
        send(event_of(FormEvent::Kind::FocusOut, had));
}

void WindowlessForm::type(Quantity field, std::string_view text)
{
    for (char c : text) {
        const KeyChord key{Key::Other, static_cast<unsigned char>(c), 0};
        press_key(field, key);
        m_state[field_of(field)].text += c;
        send(event_of(FormEvent::Kind::TextEdited, field_of(field)));
        release_key(field, key);
    }
}

void WindowlessForm::backspace(Quantity field)
{
    constexpr KeyChord kBackspace{Key::Other, 0x08, 0};
    press_key(field, kBackspace);
    if (std::string& text = m_state[field_of(field)].text; !text.empty()) {
        text.pop_back();
        send(event_of(FormEvent::Kind::TextEdited, field_of(field)));
    }
    release_key(field, kBackspace);
}

void WindowlessForm::paste(ControlId box, std::string_view text)
{
    if (m_state[box].text == text)
        return;
    m_state[box].text = text;
    send(event_of(FormEvent::Kind::TextEdited, box));
}

void WindowlessForm::step(Quantity field, int direction)
{
    FormEvent down = event_of(FormEvent::Kind::PointerDown, kQuantityControls[field].spin);
    down.part = direction > 0 ? Part::UpArrow : Part::DownArrow;
    down.clicks = 1;
    send(down);
    FormEvent up = down;
    up.kind = FormEvent::Kind::PointerUp;
    up.inside = true;
    send(up);
}

void WindowlessForm::click_option(Quantity mode)
{
    // The toolkit's group sets the one clicked, then tells of the click.
    for (Quantity quantity : kQuantities)
        m_state[kQuantityControls[quantity].option].value = quantity == mode ? 1 : 0;
    FormEvent event = event_of(FormEvent::Kind::Click, kQuantityControls[mode].option);
    event.clicks = 1;
    send(event);
}

void WindowlessForm::click_check1()
{
    int& value = m_state[ControlId::Check1].value;
    value = value == CheckBox::Unchecked ? CheckBox::Checked : CheckBox::Unchecked;
    FormEvent event = event_of(FormEvent::Kind::Click, ControlId::Check1);
    event.clicks = 1;
    send(event);
}

void WindowlessForm::click_text1(int clicks)
{
    FormEvent down = event_of(FormEvent::Kind::PointerDown, ControlId::Text1);
    down.clicks = clicks;
    send(down);
    FormEvent up = down;
    up.kind = FormEvent::Kind::PointerUp;
    up.inside = true;
    send(up);
}

void WindowlessForm::fire(Timer timer)
{
    auto& running = m_timers[static_cast<std::size_t>(timer)];
    if (!running)
        return;
    running.reset();
    FormEvent event = event_of(FormEvent::Kind::TimerFired);
    event.timer = timer;
    send(event);
}

std::optional<Quantity> WindowlessForm::mode() const
{
    for (Quantity quantity : kQuantities)
        if (m_state[kQuantityControls[quantity].option].value != 0)
            return quantity;
    return std::nullopt;
}

int WindowlessForm::options_set() const
{
    int set = 0;
    for (Quantity quantity : kQuantities)
        set += m_state[kQuantityControls[quantity].option].value != 0;
    return set;
}

std::optional<ErrorKind> WindowlessForm::last_error() const
{
    if (m_notes.empty())
        return std::nullopt;
    return m_notes.back().kind;
}

void WindowlessForm::clear_errors()
{
    m_notes.clear();
    m_kinds.clear();
    m_other_failures = 0;
}

}  // namespace tubaro
