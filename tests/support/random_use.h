#pragma once

// Random use of the main window: typed keys, Backspace, spin steps, option,
// check box and information clicks, with the invariants checked after every
// event against an oracle that works the expected state out from the rules
// of the window: which event recalculates, which field is written, what the
// indicator, the spin controls, the check box and the information line show,
// how many errors are reported. The numbers themselves come from the pure
// recalculation, which the golden rows hold to literal results. Shared by the
// window-less test and the Qt window's test.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "form/user_texts.h"
#include "calc/error_kind.h"
#include "form/form_principale.h"
#include "calc/number_text.h"
#include "rules/pipe_size.h"
#include "rules/quantity.h"
#include "rules/recalculation.h"
#include "rules/spin_step.h"
#include "form/window_data.h"

namespace random_use {

using tubaro::Quantity;

// What the test can do to a window and read from it.
class Driver {
public:
    virtual ~Driver() = default;
    virtual void type(Quantity field, char key) = 0;
    virtual void backspace(Quantity field) = 0;
    virtual void step(Quantity field, int direction) = 0;
    virtual void click_option(Quantity mode) = 0;
    virtual void click_check1() = 0;
    virtual void click_text1() = 0;

    virtual std::string text(Quantity field) const = 0;
    virtual std::string designation() const = 0;
    virtual std::string information() const = 0;
    virtual int options_set() const = 0;
    virtual std::optional<Quantity> mode() const = 0;
    virtual bool spin_visible(Quantity field) const = 0;
    virtual bool check1_checked() const = 0;
    virtual bool topmost() const = 0;
    virtual int errors_reported() const = 0;
};

inline std::size_t at(Quantity q)
{
    return static_cast<std::size_t>(q);
}

inline std::string_view start_text(tubaro::ControlId id)
{
    return tubaro::control_spec(id).text;
}

// The typed windows of D, P, Y and L: a typed value recalculates strictly
// between 0 and these.
inline constexpr double kTypedLimits[4] = {5000.0, 9000.0, 100000.0, 10000.0};

// The expected state, worked out from the rules of the window rather than
// from its code.
class Oracle {
public:
    explicit Oracle(std::string separator) : m_sep(std::move(separator))
    {
        for (Quantity q : tubaro::kQuantities)
            m_text[at(q)] = std::string(start_text(tubaro::kQuantityControls[q].field));
    }

    void type(Quantity field, char key) { edit(field, m_text[at(field)] + key); }

    void backspace(Quantity field)
    {
        std::string text = m_text[at(field)];
        if (!text.empty())
            text.pop_back();
        edit(field, text);
    }

    void step(Quantity field, int direction)
    {
        m_last_recalculation_ok = false;
        if (field == m_mode)
            return;  // hidden
        const auto next = tubaro::spin_step(m_text[at(field)], m_spin_last[at(field)],
                                            tubaro::kQuantityControls[field].spin_upper, direction, m_sep);
        if (!next)
            return;
        m_spin_last[at(field)] = *next;
        set(field, tubaro::long_to_text(*next));
        recalculate();
    }

    void click_option(Quantity mode)
    {
        m_mode = mode;
        m_last_recalculation_ok = false;
    }
    void click_check1()
    {
        m_checked = !m_checked;
        m_last_recalculation_ok = false;
    }
    void click_text1()
    {
        m_text1 = m_text1 == tubaro::texts::kWebAddress ? tubaro::texts::kVersionLine
                                                                 : tubaro::texts::kWebAddress;
        m_last_recalculation_ok = false;
    }

    // The first difference from the driver's window, or empty.
    std::string compare(const Driver& window) const
    {
        std::ostringstream problem;
        if (window.options_set() != 1)
            problem << window.options_set() << " options set";
        else if (window.mode() != m_mode)
            problem << "mode differs";
        for (Quantity q : tubaro::kQuantities) {
            if (window.text(q) != m_text[at(q)])
                problem << "field " << at(q) << " is '" << window.text(q) << "', expected '" << m_text[at(q)] << "'";
            if (window.spin_visible(q) != (q != m_mode))
                problem << "spin control " << at(q) << " visibility";
        }
        if (window.designation() != m_designation)
            problem << "designation '" << window.designation() << "', expected '" << m_designation << "'";
        if (window.information() != m_text1)
            problem << "information line";
        if (window.check1_checked() != m_checked || window.topmost() != m_checked)
            problem << "stay on top";
        if (window.errors_reported() != m_errors)
            problem << window.errors_reported() << " errors reported, " << m_errors << " raised";
        return problem.str();
    }

    bool last_recalculation_ok() const { return m_last_recalculation_ok; }

private:
    // A key went down in a field, changed it to text, and came up.
    void edit(Quantity field, const std::string& text)
    {
        m_last_recalculation_ok = false;
        set(field, text);
        // The key release check.
        if (text.empty())
            return;
        double value = 0;
        try {
            value = tubaro::text_to_double(text, m_sep);
        } catch (const tubaro::CalcError&) {
            ++m_errors;
            return;
        }
        if (value > 0 && value < kTypedLimits[at(field)])
            recalculate();
    }

    void set(Quantity field, const std::string& text)
    {
        if (text == m_text[at(field)])
            return;  // no change event
        m_text[at(field)] = text;
        if (field == Quantity::Diameter && !text.empty()) {
            try {
                m_designation = std::string(tubaro::nominal_pipe_size(tubaro::text_to_double(text, m_sep)));
            } catch (const tubaro::CalcError&) {
                ++m_errors;
            }
        }
    }

    void recalculate()
    {
        tubaro::FieldTexts texts{};
        for (Quantity q : tubaro::kQuantities)
            texts[q] = m_text[at(q)];
        const auto result = tubaro::recalculate(m_mode, texts, m_sep);
        if (!result.ok()) {
            ++m_errors;
            return;
        }
        set(m_mode, result.value());
        m_last_recalculation_ok = true;
    }

    std::string m_sep;
    std::array<std::string, 4> m_text;
    int m_spin_last[4] = {0, 0, 0, 0};
    std::string m_designation{start_text(tubaro::ControlId::Text_Pollici)};
    std::string m_text1{start_text(tubaro::ControlId::Text1)};
    Quantity m_mode = tubaro::start_mode();
    bool m_checked = tubaro::control_spec(tubaro::ControlId::Check1).has(tubaro::kSetAtStart);
    int m_errors = 0;
    bool m_last_recalculation_ok = false;
};

struct Summary {
    std::string failure;  // empty when every event kept every invariant
    int recalculations_checked = 0;
};

// Runs `events` random events from a fixed generator state, so a failure
// repeats exactly.
inline Summary run(Driver& window, const std::string& separator, int events, std::uint32_t generator_state)
{
    std::mt19937 random(generator_state);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); };
    static constexpr char kKeys[] = "0123456789012345678901234567890123456789,,..--+ ax";
    Oracle oracle(separator);
    Summary summary;
    std::string last_event;

    for (int i = 0; i < events; ++i) {
        const Quantity field = tubaro::kQuantities[static_cast<std::size_t>(pick(4))];
        const int kind = pick(100);
        std::ostringstream event;
        if (kind < 55) {
            const char key = kKeys[pick(sizeof kKeys - 1)];
            event << "type '" << key << "' in " << at(field);
            window.type(field, key);
            oracle.type(field, key);
        } else if (kind < 75) {
            event << "backspace in " << at(field);
            window.backspace(field);
            oracle.backspace(field);
        } else if (kind < 90) {
            const int direction = pick(2) ? 1 : -1;
            event << "step " << direction << " of " << at(field);
            window.step(field, direction);
            oracle.step(field, direction);
        } else if (kind < 96) {
            event << "option " << at(field);
            window.click_option(field);
            oracle.click_option(field);
        } else if (kind < 98) {
            event << "check box";
            window.click_check1();
            oracle.click_check1();
        } else {
            event << "information line";
            window.click_text1();
            oracle.click_text1();
        }
        summary.recalculations_checked += oracle.last_recalculation_ok();
        const std::string problem = oracle.compare(window);
        if (!problem.empty()) {
            summary.failure = "event " + std::to_string(i) + " (" + event.str() + ", after " + last_event +
                              "): " + problem;
            return summary;
        }
        last_event = event.str();
    }
    return summary;
}

}  // namespace random_use
