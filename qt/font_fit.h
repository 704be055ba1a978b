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
// every text fits its room (at least 6 points, or its own size where that is
// smaller), by the form's rule (tubaro::largest_fitting_size).
QFont largest_fitting_font(const QFont& font, const std::vector<TextRoom>& texts);
