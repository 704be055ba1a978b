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
// every text fits its room. The layout's sizes are fixed, so the font gives
// way rather than a caption being cut off.
QFont largest_fitting_font(const QFont& font, const std::vector<TextRoom>& texts);
