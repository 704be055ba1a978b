#include "font_fit.h"

#include <QFontMetrics>

namespace {

constexpr double kSmallestPointSize = 6.0;

bool fits(const QFont& font, const std::vector<TextRoom>& texts)
{
    const QFontMetrics metrics(font);
    for (const TextRoom& each : texts)
        if (metrics.horizontalAdvance(each.text) > each.room.width() || metrics.height() > each.room.height())
            return false;
    return true;
}

}  // namespace

QFont largest_fitting_font(const QFont& font, const std::vector<TextRoom>& texts)
{
    QFont candidate = font;
    double size = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    candidate.setPointSizeF(size);
    while (!fits(candidate, texts) && size > kSmallestPointSize) {
        size -= 0.5;
        candidate.setPointSizeF(size);
    }
    return candidate;
}
