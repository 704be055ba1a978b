#pragma once

#include <string>

#include "form/window_data.h"

// The page's own additions to the window's layout, in twips, and how a place
// in twips becomes one in percent of the form, which scales as a whole.
namespace page_layout {

// Below the window's own rows, a strip for the error note, so the note never
// covers a control.
inline constexpr int kNoteTopTwips = tubaro::kClientHeightTwips + 60;
inline constexpr int kNoteHeightTwips = 330;
inline constexpr int kPageHeightTwips = kNoteTopTwips + kNoteHeightTwips + 60;
// A note starts below the column of the control it speaks of, but no
// further right than the fields' column, so it stays inside the form; the
// window's own note has the information line's margin.
inline constexpr int kFieldColumnTwips = tubaro::control_spec(tubaro::ControlId::Text_D).left;
inline constexpr int kWindowNoteTwips = tubaro::control_spec(tubaro::ControlId::Text1).left;

inline std::string percent(int twips, int whole)
{
    return std::to_string(static_cast<double>(twips) * 100.0 / whole) + "%";
}

inline std::string percent_across(int twips)
{
    return percent(twips, tubaro::kClientWidthTwips);
}

inline std::string percent_down(int twips)
{
    return percent(twips, kPageHeightTwips);
}

}  // namespace page_layout
