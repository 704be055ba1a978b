#pragma once

#include <QWidget>

#include "controls.h"
#include "form_presenter.h"

class QToolButton;

// The up-down control beside a value field: two real buttons, so assistive
// technology can press them, each click told to the form as a step. It takes
// the focus by Tab; its keys are the window's (MainWindow::eventFilter).
class UpDown final : public QWidget, public tubaro::SpinControl {
public:
    UpDown(tubaro::ControlId id, tubaro::FormPresenter& form, const QString& up_name, const QString& down_name,
           QWidget* parent);

    void set_visible(bool visible) override { setVisible(visible); }
    // Shown, as the window's data means it, whether or not the window is on
    // screen yet.
    bool visible() const override { return !isHidden(); }

    QToolButton* up_button() const { return m_up; }
    QToolButton* down_button() const { return m_down; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QWidget* m_focus_frame;
};
