#include "font_fit.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSmallestPointSize = 6.0;
constexpr double kDefaultPointSize = 9.0;

QFont at_size(QFont font, double points)
{
    font.setPointSizeF(points);
    return font;
}

bool fits(const QFont& font, const std::vector<TextRoom>& texts)
{
    const QFontMetrics metrics(font);
    for (const TextRoom& each : texts)
        if (metrics.horizontalAdvance(each.text) > each.room.width() || metrics.height() > each.room.height())
            return false;
    return true;
}

// How far the font must shrink for every text to fit, from one measurement:
// 1 when it fits as it is. Widths and heights grow about in proportion to
// the size, which the checks after it make exact.
double shrink_needed(const QFont& font, const std::vector<TextRoom>& texts)
{
    const QFontMetrics metrics(font);
    double scale = 1.0;
    for (const TextRoom& each : texts) {
        if (const int width = metrics.horizontalAdvance(each.text); width > 0)
            scale = std::min(scale, static_cast<double>(each.room.width()) / width);
        scale = std::min(scale, static_cast<double>(each.room.height()) / metrics.height());
    }
    return scale;
}

}  // namespace

QFont largest_fitting_font(const QFont& font, const std::vector<TextRoom>& texts)
{
    const double own = font.pointSizeF() > 0 ? font.pointSizeF() : kDefaultPointSize;
    const QFont as_is = at_size(font, own);
    const double scale = shrink_needed(as_is, texts);
    if (scale >= 1.0)
        return as_is;

    // The largest half point at or below the proportional size; any larger
    // would need the texts to grow less than in proportion. It nearly always
    // fits; where hinting makes it a pixel too wide, the next one down does.
    double size = std::max(kSmallestPointSize, std::floor(own * scale * 2.0) / 2.0);
    while (size > kSmallestPointSize && !fits(at_size(font, size), texts))
        size -= 0.5;
    return at_size(font, size);
}
