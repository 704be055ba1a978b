#pragma once

#include <QFont>
#include <QSize>
#include <QString>

#include <vector>

// A text and the room a control gives it.
struct TextRoom {
    QString text;
    QSize room;
};

// The largest size of the font, at most its own, in half points, at which
// every text fits its room, in proportion to the room (at least 6 points). The
// layout's sizes are fixed, so the font gives way rather than a caption being
// cut off. One measurement at the font's own size gives the size, and one
// check confirms it: two sizes are laid out, not one for every half point.
QFont largest_fitting_font(const QFont& font, const std::vector<TextRoom>& texts);
