#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "form/window_data.h"

namespace tubaro {

// The layout's sizes are fixed, so where the platform's font is too large
// for them the font gives way rather than a caption being cut off.

// The smallest the font may become, in points: below it no text is legible
// on any screen.
inline constexpr int kSmallestFontPoints = 6;

// A text the window must show whole, in the room of its control.
struct TextToFit {
    ControlId control;
    std::string_view text;
};

// Every label's caption and every text box's start text, and the two texts
// the information line alternates between after a click.
std::vector<TextToFit> texts_to_fit();

// A width and a height in pixels: a text's at some font, or its room.
struct Extent {
    int width, height;
};

// How far the font must shrink for a text to fit its room: 1 or more when
// it fits as it is. Widths and heights grow about in proportion to the size.
double fit_scale(Extent text, Extent room);

// The largest font size, in the toolkit's own steps (half points, pixels of
// height), at most `own` and at least `smallest`, at which every text fits:
// `scale_at(size)` is the least fit_scale over the texts at that size. One
// measurement at the own size gives the size in proportion, and one check
// at that size confirms it; where hinting makes it a pixel too wide, the
// next size down is tried, and so on.
int largest_fitting_size(int own, int smallest, const std::function<double(int size)>& scale_at);

}  // namespace tubaro
