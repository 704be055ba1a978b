#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/controls.h"
#include "rules/quantity.h"
#include "form/window_data.h"

namespace tubaro {

// The controls of the one window that the logic reads and writes, each row of
// a quantity indexed by it. The controls hold the whole state: the logic
// keeps no copy of any value and no remembered mode. No pointer is null.
struct FormControls {
    PerQuantity<TextBox*> fields;        // Text_D, Text_P, Text_Y, Text_L
    PerQuantity<OptionButton*> options;  // Option_Diametro, ...
    PerQuantity<SpinControl*> spins;     // UpDown_D, ...
    TextBox* Text_Pollici;
    TextBox* Text1;
    CheckBox* Check1;
    Window* window;
};

// The handlers of the main window, one per row of its event wiring. None of
// them catches an error: a CalcError ends the handler at the failing step,
// keeps what was written before it, and travels to the edge of the event that
// started it (see EventEdge).
class Form_Principale {
public:
    Form_Principale(const FormControls& controls, std::string decimal_separator);

    // Called after every recalculation that wrote its result, so a front end
    // can clear an error report.
    void set_recalculated_listener(std::function<void()> listener) { m_recalculated = std::move(listener); }

    // Before the window is first shown: keep it above all others.
    void load();
    // An option button was set by the user: show the spin controls of the
    // three inputs and hide the output's. Changes no text.
    void option_click(Quantity mode);
    // A key was released in a value field: recalculate when its text lies
    // strictly inside the field's typed window.
    void key_release(Quantity field);
    // A spin control stepped (its field already holds the new value):
    // whichever it was, the mode's quantity is recalculated.
    void spin_notification();
    // The diameter's text changed: bring the inch designation up to date.
    void diameter_change();
    void stay_on_top_click();
    void information_click();

    // Computes the set mode's quantity from the three other field texts and
    // writes it into its field. The output field's text is never read.
    void Ricalcola();

    // The computed quantity: the one whose option button is set.
    Quantity mode() const;
    // The keyboard's focus order for the set option and the spin controls
    // shown now (keyboard.h): the controls Tab visits, and where Tab (+1)
    // or Shift+Tab (-1) goes from `from`.
    std::vector<ControlId> tab_stops() const;
    ControlId next_tab_stop(std::optional<ControlId> from, int direction) const;

private:
    PerQuantity<bool> spins_shown() const;

    FormControls m_controls;
    std::string m_separator;
    std::function<void()> m_recalculated;
};

}  // namespace tubaro
