#pragma once

// The DOM events the page listens to, as dom::listen passes them on.
enum class DomEvent {
    Input, KeyDown, KeyUp, FocusIn, FocusOut, Click, PointerDown, PointerUp, ContextMenu, HashChange, BeforePrint, Blur
};

// What the browser tells of a key or a click. Key codes are the browser's
// keyCode: an on-screen keyboard often sends 229 ("Unidentified"), which is
// a key like any other here.
struct DomEventDetail {
    int key_code;
    unsigned modifiers;  // the form's bits (keys.h): 1 Shift, 2 Control, 4 Alt, 8 Meta
    bool repeat;    // a held key's repeated press
    int clicks;     // a click's count: 0 from the keyboard or assistive technology
};
