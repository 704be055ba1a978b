#pragma once

#include <algorithm>
#include <vector>

namespace tubaro {

// A key release counts for a field only when the same key went down in it.
// The release of the Tab that brought the focus into a field arrives there
// without its press, and so does not recalculate.
class KeyReleaseFilter {
public:
    void pressed(int key)
    {
        if (std::find(m_down.begin(), m_down.end(), key) == m_down.end())
            m_down.push_back(key);
    }

    // True when the release belongs to this field.
    bool released(int key)
    {
        const auto it = std::find(m_down.begin(), m_down.end(), key);
        if (it == m_down.end())
            return false;
        m_down.erase(it);
        return true;
    }

    // Keys held while the focus leaves release elsewhere.
    void focus_lost() { m_down.clear(); }

private:
    std::vector<int> m_down;
};

}  // namespace tubaro
