#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "rules/quantity.h"

namespace tubaro {

// The main window as data, the same for every front end: each control with
// its kind, place and size in twips (1/1440 inch, from the top-left corner of
// the client area), caption or start text, tab index, description and
// settings. Nothing is placed or started in code: a front end builds its
// widgets from these rows and converts twips at its own resolution.
//
// The start values are shown as they are; none is computed. The four value
// texts are consistent with each other, so a first recalculation in any mode
// writes its field's own text back. The designation's start text has a double
// quote where the indicator itself would write two apostrophes.

enum class ControlKind { Label, TextBox, SpinControl, OptionButton, CheckBox };

// The controls by the names the window's data gives them, in the order of the
// rows below: a control's id is its row.
enum class ControlId {
    Label3, Text_D, UpDown_D, Option_Diametro, Text_Pollici,
    G, Text_P, UpDown_P, Option_Potenza,
    Label4, Text_Y, UpDown_Y, Option_Perdita,
    Label5, Text_L, UpDown_L, Option_Lunghezza,
    Text1, Check1,
};

inline constexpr std::size_t kControlCount = 19;

// Settings beyond place, size, text and tab index; the platform's defaults
// for the kind hold where a row names none.
enum ControlSetting : unsigned {
    kRightAligned = 1u << 0,
    kCentred = 1u << 1,
    kReadOnly = 1u << 2,
    kButtonFaceBackground = 1u << 3,  // the system colour of a button face
    kHiddenAtStart = 1u << 4,
    kSetAtStart = 1u << 5,  // an option button set, a check box checked
    kDisabledAtStart = 1u << 6,
    kWrittenOnly = 1u << 7,  // the program writes it and never reads it
};

struct ControlSpec {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    int left, top, width, height;  // twips
    std::string_view text;         // caption or start text, UTF-8; empty for none
    int tab_index;
    std::string_view description;  // accessible name, and the tooltip of every control but a label; Italian
    unsigned settings = 0;
    // Why the control is disabled, where a window shows it so (never in the
    // rows below): its tooltip and accessible description instead.
    std::string_view why_disabled = {};

    constexpr bool has(ControlSetting setting) const { return (settings & setting) != 0; }
};

// What a pointer resting on a control shows: why it is disabled, where it
// is; otherwise its description, but on a label, whose caption says as much.
constexpr std::string_view tooltip_of(const ControlSpec& row)
{
    if (!row.why_disabled.empty())
        return row.why_disabled;
    return row.kind == ControlKind::Label ? std::string_view() : row.description;
}

// The application's identity, which the platform shows in its lists and
// version information.
inline constexpr std::string_view kApplicationName = "TubaroCalcolatore";
inline constexpr std::string_view kProductName = "TubaroGAS";
inline constexpr std::string_view kCompanyName = "USER";

inline constexpr std::string_view kWindowName = "Form_Principale";
inline constexpr std::string_view kWindowCaption = "Tubaro GAS";
inline constexpr int kClientWidthTwips = 3105;
inline constexpr int kClientHeightTwips = 2415;

// The nineteen controls, top to bottom and left to right.
inline constexpr std::array<ControlSpec, kControlCount> kWindowControls{{
    // clang-format off
    {ControlId::Label3, "Label3", ControlKind::Label, 360, 240, 1095, 255, "Diametro [mm]", 15, "Diametro [mm]"},
    {ControlId::Text_D, "Text_D", ControlKind::TextBox, 1440, 240, 810, 288, "37", 13, "Diametro interno del tubo, in millimetri", kRightAligned},
    {ControlId::UpDown_D, "UpDown_D", ControlKind::SpinControl, 2280, 240, 255, 285, "", 14, "Regola il diametro", kHiddenAtStart},
    {ControlId::Option_Diametro, "Option_Diametro", ControlKind::OptionButton, 2640, 240, 255, 255, "", 7, "Calcola il diametro", kSetAtStart},
    {ControlId::Text_Pollici, "Text_Pollici", ControlKind::TextBox, 1440, 600, 810, 288, "1\"1/2", 18, "Misura nominale del tubo, in pollici", kRightAligned | kWrittenOnly},
    {ControlId::G, "G", ControlKind::Label, 360, 960, 735, 255, "P [kW]", 3, "P [kW]"},
    {ControlId::Text_P, "Text_P", ControlKind::TextBox, 1440, 960, 825, 288, "116", 2, "Potenza, in kilowatt", kRightAligned},
    {ControlId::UpDown_P, "UpDown_P", ControlKind::SpinControl, 2280, 960, 255, 285, "", 4, "Regola la potenza"},
    {ControlId::Option_Potenza, "Option_Potenza", ControlKind::OptionButton, 2640, 960, 255, 255, "", 8, "Calcola la potenza"},
    {ControlId::Label4, "Label4", ControlKind::Label, 360, 1320, 975, 255, "Y tot. [Pa]", 1, "Y tot. [Pa]"},
    {ControlId::Text_Y, "Text_Y", ControlKind::TextBox, 1440, 1320, 828, 288, "100", 0, "Perdita di carico totale, in pascal", kRightAligned},
    {ControlId::UpDown_Y, "UpDown_Y", ControlKind::SpinControl, 2280, 1320, 255, 285, "", 10, "Regola la perdita di carico"},
    {ControlId::Option_Perdita, "Option_Perdita", ControlKind::OptionButton, 2640, 1320, 255, 255, "", 9, "Calcola la perdita di carico"},
    {ControlId::Label5, "Label5", ControlKind::Label, 360, 1680, 975, 255, "L equiv. [m]", 6, "L equiv. [m]"},
    {ControlId::Text_L, "Text_L", ControlKind::TextBox, 1440, 1680, 840, 288, "30", 5, "Lunghezza equivalente, in metri", kRightAligned},
    {ControlId::UpDown_L, "UpDown_L", ControlKind::SpinControl, 2280, 1680, 255, 285, "", 16, "Regola la lunghezza equivalente"},
    {ControlId::Option_Lunghezza, "Option_Lunghezza", ControlKind::OptionButton, 2640, 1680, 255, 255, "", 17, "Calcola la lunghezza equivalente"},
    {ControlId::Text1, "Text1", ControlKind::TextBox, 120, 2040, 2532, 288, "cliccare qui per informazioni", 12, "Informazioni sul programma: fare clic per cambiare", kCentred | kReadOnly | kButtonFaceBackground},
    {ControlId::Check1, "Check1", ControlKind::CheckBox, 2760, 2040, 252, 252, "", 11, "Sempre in primo piano", kSetAtStart},
    // clang-format on
}};

constexpr const ControlSpec& control_spec(ControlId id)
{
    return kWindowControls[static_cast<std::size_t>(id)];
}

// The controls of one quantity's row, its label, and its spin control's
// range [0, spin_upper] with the names of the two arrows.
struct QuantityControls {
    ControlId label;
    ControlId field;
    ControlId spin;
    ControlId option;
    int spin_upper;
    std::string_view step_up_name;
    std::string_view step_down_name;
};

inline constexpr PerQuantity<QuantityControls> kQuantityControls{{{
    {ControlId::Label3, ControlId::Text_D, ControlId::UpDown_D, ControlId::Option_Diametro, 1000,
     "Aumenta il diametro", "Diminuisci il diametro"},
    {ControlId::G, ControlId::Text_P, ControlId::UpDown_P, ControlId::Option_Potenza, 5000, "Aumenta la potenza",
     "Diminuisci la potenza"},
    {ControlId::Label4, ControlId::Text_Y, ControlId::UpDown_Y, ControlId::Option_Perdita, 10000,
     "Aumenta la perdita di carico", "Diminuisci la perdita di carico"},
    {ControlId::Label5, ControlId::Text_L, ControlId::UpDown_L, ControlId::Option_Lunghezza, 20000,
     "Aumenta la lunghezza equivalente", "Diminuisci la lunghezza equivalente"},
}}};

// The control of that name in the window's data.
constexpr std::optional<ControlId> control_named(std::string_view name)
{
    for (const ControlSpec& row : kWindowControls)
        if (row.name == name)
            return row.id;
    return std::nullopt;
}

// The quantity whose row a control is in (its label, field, spin control or
// option button); none for Text_Pollici, Text1 and Check1.
constexpr std::optional<Quantity> quantity_of(ControlId id)
{
    for (Quantity quantity : kQuantities) {
        const QuantityControls& row = kQuantityControls[quantity];
        if (id == row.label || id == row.field || id == row.spin || id == row.option)
            return quantity;
    }
    return std::nullopt;
}

// The quantity whose option button is set at start: the diameter.
constexpr Quantity start_mode()
{
    for (Quantity quantity : kQuantities)
        if (control_spec(kQuantityControls[quantity].option).has(kSetAtStart))
            return quantity;
    return Quantity::Diameter;
}

// A place on the screen, in pixels.
struct PixelRect {
    int left, top, width, height;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips to pixels at a resolution in dots per inch (96: 15 twips a pixel),
// halves away from zero.
constexpr int twips_to_pixels(int twips, int dots_per_inch)
{
    const long long scaled = static_cast<long long>(twips) * dots_per_inch;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : (scaled - 720) / 1440);
}

// A control's place in pixels. Edges are converted, not sizes, so controls
// that meet in twips still meet on screen (Text_L ends where UpDown_L begins).
constexpr PixelRect to_pixels(const ControlSpec& row, int dots_per_inch)
{
    const int left = twips_to_pixels(row.left, dots_per_inch);
    const int top = twips_to_pixels(row.top, dots_per_inch);
    return {left, top, twips_to_pixels(row.left + row.width, dots_per_inch) - left,
            twips_to_pixels(row.top + row.height, dots_per_inch) - top};
}

}  // namespace tubaro
