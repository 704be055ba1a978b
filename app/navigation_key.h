#pragma once

#include <QKeyEvent>

#include <optional>

#include "keyboard.h"

// Qt's keys by what they mean in the window; a modified key means nothing
// here (Ctrl+Up is the toolkit's, or nobody's).
inline std::optional<tubaro::NavigationKey> navigation_key(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Up: return tubaro::NavigationKey::Up;
    case Qt::Key_Down: return tubaro::NavigationKey::Down;
    case Qt::Key_Left: return tubaro::NavigationKey::Left;
    case Qt::Key_Right: return tubaro::NavigationKey::Right;
    case Qt::Key_Space: return tubaro::NavigationKey::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter: return tubaro::NavigationKey::Enter;
    default: return std::nullopt;
    }
}
