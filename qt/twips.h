#pragma once

#include <QRect>
#include <QSize>

#include "form/window_data.h"

// The window's twips in Qt's logical pixels, which are those of a 96 dots
// per inch screen (15 twips a pixel); Qt scales them on a denser screen.
QRect logical_pixels(const tubaro::ControlSpec& row);
QSize client_size_in_logical_pixels();
