#include "font_fit.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

#include "text_fit.h"

namespace {

constexpr int kSmallestHalfPoints = 12;
constexpr double kDefaultPointSize = 9.0;

QFont at_half_points(QFont font, int half_points)
{
    font.setPointSizeF(half_points / 2.0);
    return font;
}

}  // namespace

QFont largest_fitting_font(const QFont& font, const std::vector<TextRoom>& texts)
{
    const double own = font.pointSizeF() > 0 ? font.pointSizeF() : kDefaultPointSize;
    const auto scale_at = [&](int half_points) {
        const QFontMetrics metrics(at_half_points(font, half_points));
        double scale = 1.0;
        for (const TextRoom& each : texts)
            scale = std::min(scale, tubaro::fit_scale({metrics.horizontalAdvance(each.text), metrics.height()},
                                                      {each.room.width(), each.room.height()}));
        return scale;
    };
    return at_half_points(font, tubaro::largest_fitting_size(static_cast<int>(std::lround(own * 2)),
                                                             kSmallestHalfPoints, scale_at));
}
