#include "qt/font_fit.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

#include "form/text_fit.h"

namespace {

constexpr double kDefaultPointSize = 9.0;

QFont at_half_points(QFont font, int half_points)
{
    font.setPointSizeF(half_points / 2.0);
    return font;
}

double scale_of(const QFont& font, const std::vector<TextRoom>& texts)
{
    const QFontMetrics metrics(font);
    double scale = 1.0;
    for (const TextRoom& each : texts)
        scale = std::min(scale, tubaro::fit_scale({metrics.horizontalAdvance(each.text), metrics.height()},
                                                  {each.room.width(), each.room.height()}));
    return scale;
}

}  // namespace

QFont largest_fitting_font(const QFont& font, const std::vector<TextRoom>& texts)
{
    // The user's own size, a fraction of a point as it may be, wherever
    // everything fits at it; a smaller one only where it must.
    if (scale_of(font, texts) >= 1.0)
        return font;
    const double own = font.pointSizeF() > 0 ? font.pointSizeF() : kDefaultPointSize;
    const int own_half_points = static_cast<int>(std::floor(own * 2));
    const int smallest = std::min(own_half_points, 2 * tubaro::kSmallestFontPoints);
    return at_half_points(font, tubaro::largest_fitting_size(own_half_points, smallest, [&](int half_points) {
        return scale_of(at_half_points(font, half_points), texts);
    }));
}
