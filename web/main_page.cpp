#include "web/main_page.h"

#include <algorithm>
#include <type_traits>

#include "rules/installation_link.h"
#include "web/page_layout.h"
#include "web/page_traits.h"
#include "rules/quantity_words.h"
#include "web/view_record.h"
#include "form/window_build.h"

namespace {

using tubaro::ControlId;
using tubaro::FormEvent;
using Kind = tubaro::FormEvent::Kind;

// The browser's keyCode, as the form reads a key.
tubaro::KeyChord key_chord(const PageRecord& record)
{
    tubaro::Key key = tubaro::Key::Other;
    switch (record.key_code) {
    case 9: key = tubaro::Key::Tab; break;
    case 13: key = tubaro::Key::Enter; break;
    case 32: key = tubaro::Key::Space; break;
    case 37: key = tubaro::Key::Left; break;
    case 38: key = tubaro::Key::Up; break;
    case 39: key = tubaro::Key::Right; break;
    case 40: key = tubaro::Key::Down; break;
    default: break;
    }
    return {key, record.key_code, record.modifiers};
}

constexpr std::string_view kTimerNames[] = {"nota", "freccia"};
// The form's address, title and sheet's link, written once a burst of
// events is over.
constexpr std::string_view kSizingAddress = "sizing-address";

std::string_view timer_name(tubaro::Timer timer)
{
    return kTimerNames[static_cast<std::size_t>(timer)];
}

std::optional<tubaro::Timer> timer_named(std::string_view name)
{
    for (std::size_t i = 0; i < std::size(kTimerNames); ++i)
        if (kTimerNames[i] == name)
            return static_cast<tubaro::Timer>(i);
    return std::nullopt;
}

std::string_view name_of(ControlId id)
{
    return tubaro::control_spec(id).name;
}

std::string sheet_id(tubaro::Quantity quantity)
{
    return "stampa-" + std::string(tubaro::kQuantityWords[quantity].word);
}

// The form's event for a DOM event, and whether the page takes the DOM
// event as it is (none: nothing for the form).
std::optional<FormEvent> form_event(const PageRecord& record)
{
    FormEvent event;
    event.control = tubaro::control_named(record.control);
    event.part = record.part == "up"     ? tubaro::Part::UpArrow
                 : record.part == "down" ? tubaro::Part::DownArrow
                                         : tubaro::Part::Whole;
    event.key = key_chord(record);
    event.repeat = record.repeat;
    event.clicks = record.detail;
    const std::string_view type = record.type;
    if (type == "keydown") {
        event.kind = Kind::KeyDown;
    } else if (type == "keyup") {
        event.kind = Kind::KeyUp;
    } else if (type == "input") {
        event.kind = Kind::TextEdited;
    } else if (type == "focusin") {
        // A page never hears how the focus came.
        event.kind = Kind::FocusIn;
        event.cause = tubaro::FocusCause::Unknown;
    } else if (type == "focusout") {
        event.kind = Kind::FocusOut;
    } else if (type == "click") {
        event.kind = Kind::Click;
    } else if (type == "pointerdown") {
        event.kind = Kind::PointerDown;
    } else if (type == "pointerup" || type == "pointerleave" || type == "pointercancel") {
        event.kind = Kind::PointerUp;
        event.inside = type == "pointerup";
    } else if (type == "hashchange") {
        event.kind = Kind::AddressChanged;
        event.address = record.extra;
    } else if (type == "blur") {
        event.kind = Kind::Deactivated;
    } else if (type == "keyoutside") {
        event.kind = Kind::KeyOutside;
    } else if (type == "timer") {
        const auto timer = timer_named(record.control);
        if (!timer)
            return std::nullopt;
        event.kind = Kind::TimerFired;
        event.timer = *timer;
        event.control.reset();
    } else if (type == "floatended") {
        event.kind = Kind::TopmostEnded;
    } else if (type == "load") {
        // The address's fragment, then the ids of the fields the user
        // changed before the code came, one space apart.
        const auto fields = page_fields(record.extra);
        if (!fields || fields->size() != 2)
            return std::nullopt;
        event.kind = Kind::Loaded;
        event.address = (*fields)[0];
        for (std::string_view ids = (*fields)[1]; !ids.empty();) {
            const std::size_t end = ids.find(' ');
            if (const auto control = tubaro::control_named(ids.substr(0, end)))
                event.changed_before_binding.push_back(*control);
            ids = end == std::string_view::npos ? std::string_view() : ids.substr(end + 1);
        }
    } else if (type == "shown") {
        event.kind = Kind::Shown;
    } else {
        return std::nullopt;
    }
    return event;
}

}  // namespace

MainPage::MainPage(const tubaro::WindowTraits& traits, std::string decimal_separator)
    : m_traits(traits), m_form(traits, decimal_separator), m_installation(decimal_separator)
{
}

std::vector<std::string_view> MainPage::control_ids()
{
    std::vector<std::string_view> ids;
    for (const tubaro::ControlSpec& row : tubaro::kWindowControls)
        ids.push_back(row.name);
    return ids;
}

std::vector<std::string_view> MainPage::page_ids()
{
    static const std::vector<std::string> sheet = [] {
        std::vector<std::string> ids;
        for (tubaro::Quantity quantity : tubaro::kQuantities) {
            ids.push_back(sheet_id(quantity));
            ids.push_back(sheet_id(quantity) + "-modo");
        }
        return ids;
    }();
    std::vector<std::string_view> ids{tubaro::kWindowName, "nota", "pagina", "stampa-pollici", "stampa-data",
                                      "stampa-indirizzo"};
    ids.insert(ids.end(), sheet.begin(), sheet.end());
    return ids;
}

std::vector<std::string_view> MainPage::view_ids()
{
    return {installation_page::kViewId};
}

std::string MainPage::handle(std::string_view text)
{
    if (is_view_record(text)) {
        if (const auto view = read_view_record(text); view && view->view == installation_page::kViewId)
            m_installation.handle(*view, m_operations);
        return m_operations.finish();
    }
    const auto record = read_page_record(text);
    if (!record)
        return m_operations.finish();
    if (record->type == "beforeprint") {
        // The date and time of printing, and the address that reopens it.
        m_operations.add("now", "stampa-data");
        m_operations.add("href", "stampa-indirizzo");
        m_operations.add("now", installation_page::kSheetDateId);
        m_operations.add("href", installation_page::kSheetAddressId);
        return m_operations.finish();
    }
    if (record->type == "hashchange" && !address_changed(record->extra))
        return m_operations.finish();
    if (record->type == "contextmenu") {
        // A long press on an arrow is an arrow held, not a menu.
        m_operations.taken(true);
        return m_operations.finish();
    }
    if (const auto event = form_event(*record))
        answer(*record, *event);
    return m_operations.finish();
}

bool MainPage::address_changed(std::string_view fragment)
{
    if (tubaro::names_installation(fragment)) {
        show_installation(true);
        // Its own link, as it left it, shows it as it stands.
        if (fragment == m_installation.fragment())
            m_installation.write_address(m_operations);
        else
            m_installation.open(fragment, m_operations);
        return false;
    }
    if (!m_installation_shown)
        return true;
    show_installation(false);
    if (fragment != m_form_fragment)
        return true;
    m_operations.add("address", "", std::string_view(m_form_fragment));
    m_operations.add("title", "", std::string_view(m_form_title));
    m_operations.add("href", "stampa-indirizzo");
    return false;
}

void MainPage::show_installation(bool shown)
{
    m_installation_shown = shown;
    // The form's address, if it still waits to be written, is the form's
    // no more.
    if (shown) {
        m_operations.begin_later(kSizingAddress);
        m_operations.end_later();
    }
    m_installation.set_shown(shown);
    m_operations.add("attribute", "pagina", "data-vista",
                     shown ? std::optional<std::string_view>(installation_page::kViewId) : std::nullopt);
    const auto current = [](bool on) { return on ? std::optional<std::string_view>("page") : std::nullopt; };
    m_operations.add("attribute", installation_page::kFormLinkId, "aria-current", current(!shown));
    m_operations.add("attribute", installation_page::kViewLinkId, "aria-current", current(shown));
}

void MainPage::answer(const PageRecord& record, const FormEvent& given)
{
    FormEvent event = given;
    if (event.kind == Kind::Loaded) {
        as_this_browser_shows_it();
        // The sheet's date, and again just before printing.
        m_operations.add("now", "stampa-data");
        m_operations.add("now", installation_page::kSheetDateId);
        // Opened at the installation, the form starts as it would bare;
        // opened at the form, the installation's example is made once the
        // form is on screen and answering.
        if (tubaro::names_installation(event.address)) {
            show_installation(true);
            m_installation.open(event.address, m_operations);
            event.address.clear();
        } else {
            m_installation.open_later(m_operations);
        }
    }
    const tubaro::FormReply reply = m_form.handle(event, record.state);
    m_operations.taken(reply.taken);
    for (const tubaro::Effect& effect : reply.effects)
        apply(effect);
}

void MainPage::as_this_browser_shows_it()
{
    const tubaro::ControlSpec built = tubaro::as_shown(tubaro::control_spec(ControlId::Check1), page_traits(true));
    const tubaro::ControlSpec here = tubaro::as_shown(built, m_traits);
    if (here.has(tubaro::kDisabledAtStart) && !built.has(tubaro::kDisabledAtStart)) {
        m_operations.add_flag("checked", name_of(ControlId::Check1), false);
        m_operations.add_flag("disabled", name_of(ControlId::Check1), true);
        m_operations.add("attribute", name_of(ControlId::Check1), "title", tubaro::tooltip_of(here));
    }
}

void MainPage::apply(const tubaro::Effect& effect)
{
    std::visit(
        [this](const auto& each) {
            using Each = std::decay_t<decltype(each)>;
            if constexpr (std::is_same_v<Each, tubaro::SetText>) {
                m_operations.add("value", name_of(each.control), std::string_view(each.text));
            } else if constexpr (std::is_same_v<Each, tubaro::SetValue>) {
                m_operations.add_flag("checked", name_of(each.control), each.value != 0);
            } else if constexpr (std::is_same_v<Each, tubaro::SetVisible>) {
                m_operations.add_flag("hidden", name_of(each.control), !each.visible);
            } else if constexpr (std::is_same_v<Each, tubaro::Focus>) {
                m_operations.add("focus", name_of(each.control));
            } else if constexpr (std::is_same_v<Each, tubaro::SelectAll>) {
                m_operations.add("select", name_of(each.control));
            } else if constexpr (std::is_same_v<Each, tubaro::ShowNote>) {
                // Below the form, from the column of the control it speaks of.
                const int left = each.beside ? std::min(tubaro::control_spec(*each.beside).left,
                                                        page_layout::kFieldColumnTwips)
                                             : page_layout::kWindowNoteTwips;
                m_operations.add("style", "nota", "left", page_layout::percent_across(left));
                m_operations.add("text", "nota", each.message);
                m_operations.add_flag("hidden", "nota", false);
                if (each.beside)
                    m_operations.add("attribute", name_of(*each.beside), "aria-invalid", "true");
            } else if constexpr (std::is_same_v<Each, tubaro::HideNote>) {
                m_operations.add_flag("hidden", "nota", true);
                if (each.beside)
                    m_operations.add("attribute", name_of(*each.beside), "aria-invalid", std::nullopt);
            } else if constexpr (std::is_same_v<Each, tubaro::StartTimer>) {
                m_operations.add_number("timer", timer_name(each.timer), static_cast<long long>(each.after.count()));
            } else if constexpr (std::is_same_v<Each, tubaro::StopTimer>) {
                m_operations.add("untimer", timer_name(each.timer));
            } else if constexpr (std::is_same_v<Each, tubaro::KeepOnTop>) {
                m_operations.add_flag("float", "", each.on);
            } else if constexpr (std::is_same_v<Each, tubaro::SizingChanged>) {
                // The address, the title and the sheet for paper, which from
                // now on paper shows instead of the form.
                const tubaro::SizingRecord& record = each.record;
                m_form_fragment = record.fragment;
                m_form_title = record.title;
                m_operations.begin_later("sizing");
                m_operations.add("attribute", installation_page::kFormLinkId, "href", "#" + record.fragment);
                for (tubaro::Quantity quantity : tubaro::kQuantities) {
                    m_operations.add("text", sheet_id(quantity), std::string_view(record.values[quantity]));
                    m_operations.add("text", sheet_id(quantity) + "-modo", record.notes[quantity]);
                }
                m_operations.add("text", "stampa-pollici", std::string_view(record.designation));
                m_operations.add("attribute", "pagina", "class", "con-foglio");
                m_operations.end_later();
                if (!m_installation_shown) {
                    m_operations.begin_later(kSizingAddress);
                    m_operations.add("address", "", std::string_view(record.fragment));
                    m_operations.add("title", "", std::string_view(record.title));
                    m_operations.add("href", "stampa-indirizzo");
                    m_operations.end_later();
                }
            }
        },
        effect);
}
