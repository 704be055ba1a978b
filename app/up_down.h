#pragma once

#include <QWidget>

#include <functional>
#include <string>

#include "controls.h"

class QToolButton;

// The up-down control beside a value field: two real buttons, so assistive
// technology can press them, and the Up and Down keys while it has the focus.
// A step writes the new value into the paired field and then notifies.
class UpDown final : public QWidget, public tubaro::SpinControl {
public:
    UpDown(tubaro::TextBox& paired, int upper, std::string decimal_separator, const QString& quantity,
           QWidget* parent);

    void set_visible(bool visible) override { setVisible(visible); }

    // +1 up, -1 down. A hidden control, or one at an end of its range, does
    // nothing.
    void step(int direction);

    QToolButton* up_button() const { return m_up; }
    QToolButton* down_button() const { return m_down; }

    std::function<void()> on_notification;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    tubaro::TextBox& m_paired;
    int m_upper;
    int m_last_value = 0;
    std::string m_separator;
    QToolButton* m_up;
    QToolButton* m_down;
};
