#include "window_font.h"

#include <algorithm>
#include <cmath>

namespace {

// How far the font must shrink for every text to fit: 1 when it fits.
double shrink_needed(HDC dc, HFONT font, const std::vector<TextRoom>& texts)
{
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    double scale = 1.0;
    for (const TextRoom& each : texts) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, each.text.c_str(), static_cast<int>(each.text.size()), &extent);
        if (extent.cx > 0)
            scale = std::min(scale, static_cast<double>(each.room.cx) / extent.cx);
        if (metrics.tmHeight > 0)
            scale = std::min(scale, static_cast<double>(each.room.cy) / metrics.tmHeight);
    }
    SelectObject(dc, previous);
    return scale;
}

}  // namespace

void WindowFont::fit(HWND window, UINT dots_per_inch, const std::vector<TextRoom>& texts)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dots_per_inch);
    LOGFONTW font = metrics.lfMessageFont;

    const HDC dc = GetDC(window);
    HFONT candidate = CreateFontIndirectW(&font);
    const double scale = shrink_needed(dc, candidate, texts);
    if (scale < 1.0) {
        // Heights in whole pixels, as the system gives them; at least 6
        // points.
        const LONG own = std::abs(font.lfHeight);
        const LONG smallest = MulDiv(6, static_cast<int>(dots_per_inch), 72);
        LONG height = std::max(smallest, static_cast<LONG>(std::floor(own * scale)));
        for (;;) {
            DeleteObject(candidate);
            font.lfHeight = font.lfHeight < 0 ? -height : height;
            font.lfWidth = 0;
            candidate = CreateFontIndirectW(&font);
            if (height <= smallest || shrink_needed(dc, candidate, texts) >= 1.0)
                break;
            --height;
        }
    }
    ReleaseDC(window, dc);
    m_font.reset(candidate);
}
