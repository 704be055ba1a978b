#include "form/window_state.h"

#include "form/window_build.h"

namespace tubaro {

WindowState start_state(const WindowTraits& traits)
{
    WindowState state;
    for (const ControlSpec& row : shown_rows(traits)) {
        ControlState& control = state[row.id];
        control.text = row.text;
        control.value = row.has(kSetAtStart) ? 1 : 0;
        control.visible = !row.has(kHiddenAtStart);
        control.enabled = !row.has(kDisabledAtStart);
    }
    return state;
}

}  // namespace tubaro
