#pragma once

class QWidget;

// Raises a top-level window above all normal windows and keeps it there, or
// returns it to the normal stacking, without moving, resizing or hiding it.
// The window's native handle must exist.
void set_stay_on_top(QWidget* window, bool on_top);
