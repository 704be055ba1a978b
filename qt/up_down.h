#pragma once

#include <QWidget>

class QToolButton;

// The up-down control beside a value field: two real buttons, so assistive
// technology can press them. It takes the focus by Tab and draws its focus
// frame above its arrows; what its presses do is the form's.
class UpDown final : public QWidget {
public:
    UpDown(const QString& up_name, const QString& down_name, QWidget* parent);

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
