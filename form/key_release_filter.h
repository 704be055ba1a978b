#pragma once

#include <optional>

#include "form/keys.h"

namespace tubaro {

// Which key releases in a field count as the field's key-release event.
//
// Every release while the field has the focus counts, but one: the release
// of the key, with its modifiers, that has just moved the focus into the
// field (Tab, Shift+Tab, or Alt+Tab back from another program). Its press
// happened elsewhere, and counting it would recalculate on arrival. A key
// held while the user clicks into the field counts when it is released there,
// and so does a modifier released after the Tab it came with.
class KeyReleaseFilter {
public:
    // The focus came into the field: by a key, or (nullopt) some other way.
    void focus_entered(std::optional<KeyChord> moved_by) { m_arrival = moved_by; }
    void focus_lost() { m_arrival.reset(); }

    // A press in the field: the user's own, so the same key's next release
    // counts.
    void pressed(KeyChord chord)
    {
        if (m_arrival == chord)
            m_arrival.reset();
    }

    // True when the release counts.
    bool released(KeyChord chord)
    {
        if (m_arrival != chord)
            return true;
        m_arrival.reset();
        return false;
    }

private:
    std::optional<KeyChord> m_arrival;
};

}  // namespace tubaro
