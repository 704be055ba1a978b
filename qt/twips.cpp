#include "qt/twips.h"

namespace {
constexpr int kLogicalDotsPerInch = 96;
}

QRect logical_pixels(const tubaro::ControlSpec& row)
{
    const tubaro::PixelRect rect = tubaro::to_pixels(row, kLogicalDotsPerInch);
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

QSize client_size_in_logical_pixels()
{
    return QSize(tubaro::twips_to_pixels(tubaro::kClientWidthTwips, kLogicalDotsPerInch),
                 tubaro::twips_to_pixels(tubaro::kClientHeightTwips, kLogicalDotsPerInch));
}
