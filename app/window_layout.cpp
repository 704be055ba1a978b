#include "window_layout.h"

#include <cmath>

#include "start_state.h"

namespace {

using enum ControlId;
using K = ControlKind;
namespace start = tubaro::start_state;

constexpr std::array<ControlSpec, 19> kLayout{{
    {Label3, "Label3", K::Label, 360, 240, 1095, 255, "Diametro [mm]", 15, "Diametro [mm]"},
    {Text_D, "Text_D", K::TextBox, 1440, 240, 810, 288, start::kTextD.data(), 13, "Diametro interno del tubo, in millimetri"},
    {UpDown_D, "UpDown_D", K::SpinControl, 2280, 240, 255, 285, "", 14, "Regola il diametro"},
    {Option_Diametro, "Option_Diametro", K::OptionButton, 2640, 240, 255, 255, "", 7, "Calcola il diametro"},
    {Text_Pollici, "Text_Pollici", K::TextBox, 1440, 600, 810, 288, start::kTextPollici.data(), 18, "Misura nominale del tubo, in pollici"},
    {G, "G", K::Label, 360, 960, 735, 255, "P [kW]", 3, "P [kW]"},
    {Text_P, "Text_P", K::TextBox, 1440, 960, 825, 288, start::kTextP.data(), 2, "Potenza, in kilowatt"},
    {UpDown_P, "UpDown_P", K::SpinControl, 2280, 960, 255, 285, "", 4, "Regola la potenza"},
    {Option_Potenza, "Option_Potenza", K::OptionButton, 2640, 960, 255, 255, "", 8, "Calcola la potenza"},
    {Label4, "Label4", K::Label, 360, 1320, 975, 255, "Y tot. [Pa]", 1, "Y tot. [Pa]"},
    {Text_Y, "Text_Y", K::TextBox, 1440, 1320, 828, 288, start::kTextY.data(), 0, "Perdita di carico totale, in pascal"},
    {UpDown_Y, "UpDown_Y", K::SpinControl, 2280, 1320, 255, 285, "", 10, "Regola la perdita di carico"},
    {Option_Perdita, "Option_Perdita", K::OptionButton, 2640, 1320, 255, 255, "", 9, "Calcola la perdita di carico"},
    {Label5, "Label5", K::Label, 360, 1680, 975, 255, "L equiv. [m]", 6, "L equiv. [m]"},
    {Text_L, "Text_L", K::TextBox, 1440, 1680, 840, 288, start::kTextL.data(), 5, "Lunghezza equivalente, in metri"},
    {UpDown_L, "UpDown_L", K::SpinControl, 2280, 1680, 255, 285, "", 16, "Regola la lunghezza equivalente"},
    {Option_Lunghezza, "Option_Lunghezza", K::OptionButton, 2640, 1680, 255, 255, "", 17, "Calcola la lunghezza equivalente"},
    {Text1, "Text1", K::TextBox, 120, 2040, 2532, 288, start::kText1.data(), 12, "Informazioni sul programma: fare clic per cambiare"},
    {Check1, "Check1", K::CheckBox, 2760, 2040, 252, 252, "", 11, "Sempre in primo piano"},
}};

// The rows stand in the order of ControlId, so a control's id is its row.
constexpr bool rows_in_id_order()
{
    for (std::size_t i = 0; i < kLayout.size(); ++i)
        if (static_cast<std::size_t>(kLayout[i].id) != i)
            return false;
    return true;
}
static_assert(rows_in_id_order());

int twips_to_pixels(int twips)
{
    return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel)));
}

}  // namespace

const std::array<ControlSpec, 19>& window_layout()
{
    return kLayout;
}

QRect to_pixels(const ControlSpec& row)
{
    const int left = twips_to_pixels(row.left);
    const int top = twips_to_pixels(row.top);
    const int right = twips_to_pixels(row.left + row.width);
    const int bottom = twips_to_pixels(row.top + row.height);
    return QRect(left, top, right - left, bottom - top);
}

QSize client_size_in_pixels()
{
    return QSize(twips_to_pixels(kClientWidthTwips), twips_to_pixels(kClientHeightTwips));
}
