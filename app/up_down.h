#pragma once

#include <QWidget>

#include <functional>
#include <string>

#include "controls.h"
#include "spin_stepper.h"

class QToolButton;

// The up-down control beside a value field: two real buttons, so assistive
// technology can press them, and the Up and Down keys while it has the focus.
class UpDown final : public QWidget, public tubaro::SpinControl {
public:
    UpDown(tubaro::TextBox& paired, int upper, std::string decimal_separator, const QString& up_name,
           const QString& down_name, QWidget* parent);

    void set_visible(bool visible) override { setVisible(visible); }
    bool visible() const override { return !isHidden(); }

    // A click on an arrow, or an arrow key: the window runs step() for it at
    // the event edge.
    std::function<void(int direction)> on_step;
    // +1 up, -1 down: writes the paired field, then notifies.
    void step(int direction);
    std::function<void()> on_notification;

    QToolButton* up_button() const { return m_up; }
    QToolButton* down_button() const { return m_down; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void request_step(int direction);

    tubaro::TextBox& m_paired;
    tubaro::SpinStepper m_stepper;
    QToolButton* m_up;
    QToolButton* m_down;
    QWidget* m_focus_frame;
};
