#pragma once

namespace tubaro {

// A key as every front end reports it to the form: what it means here, the
// toolkit's own code for it, and the modifiers held with it. Each front end
// maps its toolkit's codes to these once; the form decides what they do.

// The modifiers, the same bits on every front end.
enum Modifier : unsigned {
    kShift = 1u << 0,
    kControl = 1u << 1,
    kAlt = 1u << 2,
    kMeta = 1u << 3,  // the Windows, Command or Super key
};

// The keys the form gives a meaning, by that meaning; every other key is
// Other, told apart by its toolkit code.
enum class Key { Other, Tab, Up, Down, Left, Right, Space, Enter };

struct KeyChord {
    Key key = Key::Other;
    int code = 0;  // the toolkit's own, compared only between Other keys
    unsigned modifiers = 0;

    // The same key: meaning and modifiers agree and, for a key of no meaning
    // here, the toolkit's code too. So the form can name the Tab that brought
    // the focus in without knowing any toolkit's code for it.
    friend constexpr bool operator==(const KeyChord& a, const KeyChord& b)
    {
        return a.key == b.key && a.modifiers == b.modifiers && (a.key != Key::Other || a.code == b.code);
    }
};

}  // namespace tubaro
