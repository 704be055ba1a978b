#include "win32/window_font.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "form/text_fit.h"

namespace {

// How far a font must shrink for every text to fit, by the form's rule.
double scale_of(HDC dc, HFONT font, const std::vector<TextRoom>& texts)
{
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    double scale = 1.0;
    for (const TextRoom& each : texts) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, each.text.c_str(), static_cast<int>(each.text.size()), &extent);
        scale = std::min(scale, tubaro::fit_scale({extent.cx, metrics.tmHeight}, {each.room.cx, each.room.cy}));
    }
    SelectObject(dc, previous);
    return scale;
}

}  // namespace

void WindowFont::fit(HWND window, UINT dots_per_inch, const std::vector<TextRoom>& texts,
                     const std::function<void(HFONT)>& use)
{
    Font font = fitted(window, dots_per_inch, texts);
    use(font.get());
    m_font = std::move(font);
}

WindowFont::Font WindowFont::fitted(HWND window, UINT dots_per_inch, const std::vector<TextRoom>& texts)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dots_per_inch);
    LOGFONTW font = metrics.lfMessageFont;
    if (font.lfHeight == 0) {
        // The system's default height, which it does not tell: as it is.
        return Font(CreateFontIndirectW(&font));
    }

    // Heights in whole pixels, as the system gives them. The font measured
    // last is kept: it is most often the one chosen.
    const LONG sign = font.lfHeight < 0 ? -1 : 1;
    const int own = static_cast<int>(std::abs(font.lfHeight));
    const int smallest = std::min(own, MulDiv(tubaro::kSmallestFontPoints, static_cast<int>(dots_per_inch), 72));
    const HDC dc = GetDC(window);
    Font measured;
    int measured_height = 0;
    const auto at_height = [&](int height) {
        if (height != measured_height) {
            font.lfHeight = sign * height;
            font.lfWidth = 0;
            measured.reset(CreateFontIndirectW(&font));
            measured_height = height;
        }
    };
    const int height = tubaro::largest_fitting_size(own, smallest, [&](int each) {
        at_height(each);
        return scale_of(dc, measured.get(), texts);
    });
    at_height(height);
    ReleaseDC(window, dc);
    return measured;
}
