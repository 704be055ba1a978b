#pragma once

#include <QKeyEvent>

#include "form/keys.h"

// A Qt key event as the form reads it: the key's meaning, Qt's own code and
// the modifiers held. Qt reports Shift+Tab as Backtab, which is a Tab here.
inline tubaro::KeyChord key_chord(const QKeyEvent& event)
{
    tubaro::Key key = tubaro::Key::Other;
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: key = tubaro::Key::Tab; break;
    case Qt::Key_Up: key = tubaro::Key::Up; break;
    case Qt::Key_Down: key = tubaro::Key::Down; break;
    case Qt::Key_Left: key = tubaro::Key::Left; break;
    case Qt::Key_Right: key = tubaro::Key::Right; break;
    case Qt::Key_Space: key = tubaro::Key::Space; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: key = tubaro::Key::Enter; break;
    default: break;
    }
    const Qt::KeyboardModifiers held = event.modifiers();
    unsigned modifiers = 0;
    if (held & Qt::ShiftModifier)
        modifiers |= tubaro::kShift;
    if (held & Qt::ControlModifier)
        modifiers |= tubaro::kControl;
    if (held & Qt::AltModifier)
        modifiers |= tubaro::kAlt;
    if (held & Qt::MetaModifier)
        modifiers |= tubaro::kMeta;
    return {key, event.key(), modifiers};
}
