#pragma once

#include <windows.h>

#include "form/keys.h"

// A virtual key as the form reads it: its meaning, the virtual-key code, and
// the Shift, Control, Alt and Windows keys held at the time of the message.
tubaro::KeyChord key_chord(WPARAM virtual_key);
