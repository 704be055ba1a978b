#pragma once

#include <QRect>
#include <QString>

#include <array>

// The main window as data: every control with its place and size in twips
// (1/1440 inch; 15 twips make one logical pixel at 96 dots per inch), its
// start text, and its tab index. Nothing is placed in code.

enum class ControlKind { Label, TextBox, SpinControl, OptionButton, CheckBox };

enum class ControlId {
    Label3, Text_D, UpDown_D, Option_Diametro, Text_Pollici,
    G, Text_P, UpDown_P, Option_Potenza,
    Label4, Text_Y, UpDown_Y, Option_Perdita,
    Label5, Text_L, UpDown_L, Option_Lunghezza,
    Text1, Check1,
};

struct ControlSpec {
    ControlId id;
    const char* name;
    ControlKind kind;
    int left, top, width, height;  // twips
    const char* text;              // caption or start text, UTF-8; empty for none
    int tab_index;
    const char* description;       // accessible name and tooltip, in Italian
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 3105;
inline constexpr int kClientHeightTwips = 2415;

// The nineteen controls, top to bottom and left to right.
const std::array<ControlSpec, 19>& window_layout();

// Twips to logical pixels. Edges are converted, not sizes, so controls that
// meet in twips still meet on screen.
QRect to_pixels(const ControlSpec& row);
QSize client_size_in_pixels();
