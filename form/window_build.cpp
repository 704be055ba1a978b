#include "form/window_build.h"

#include "form/user_texts.h"

namespace tubaro {

namespace {

std::string_view why_not_on_top(StayOnTop stay_on_top)
{
    switch (stay_on_top) {
    case StayOnTop::NotOnWayland: return texts::kStayOnTopUnavailableOnWayland;
    case StayOnTop::NotInBrowser: return texts::kStayOnTopUnavailableInBrowser;
    case StayOnTop::Always:
    case StayOnTop::AtAClick: break;
    }
    return {};
}

}  // namespace

ControlSpec as_shown(const ControlSpec& row, const WindowTraits& traits)
{
    ControlSpec shown = row;
    if (row.has(kWrittenOnly) && traits.keyboard_on_screen)
        shown.settings |= kReadOnly;
    if (row.id != ControlId::Check1 || traits.stay_on_top == StayOnTop::Always)
        return shown;
    // A box ticked for something the window cannot do would be a failure
    // reported as success; a page may float only at the user's own click.
    shown.settings &= ~static_cast<unsigned>(kSetAtStart);
    if (const std::string_view why = why_not_on_top(traits.stay_on_top); !why.empty()) {
        shown.settings |= kDisabledAtStart;
        shown.why_disabled = why;
    }
    return shown;
}

std::array<ControlSpec, kControlCount> shown_rows(const WindowTraits& traits)
{
    std::array<ControlSpec, kControlCount> rows = kWindowControls;
    for (ControlSpec& row : rows)
        row = as_shown(row, traits);
    return rows;
}

}  // namespace tubaro
