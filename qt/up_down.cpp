#include "qt/up_down.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolButton>

namespace {

QToolButton* arrow_button(Qt::ArrowType arrow, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    button->setToolTip(name);
    return button;
}

// Above the two arrows, which cover the whole control, the focus frame the
// control would otherwise draw beneath them; clicks pass through.
class FocusFrameOverlay final : public QWidget {
public:
    explicit FocusFrameOverlay(QWidget* control) : QWidget(control)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!parentWidget()->hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
};

}  // namespace

UpDown::UpDown(const QString& up_name, const QString& down_name, QWidget* parent)
    : QWidget(parent),
      m_up(arrow_button(Qt::UpArrow, up_name, this)),
      m_down(arrow_button(Qt::DownArrow, down_name, this)),
      m_focus_frame(new FocusFrameOverlay(this))
{
    setFocusPolicy(Qt::TabFocus);
}

void UpDown::focusInEvent(QFocusEvent* event)
{
    m_focus_frame->update();
    QWidget::focusInEvent(event);
}

void UpDown::focusOutEvent(QFocusEvent* event)
{
    m_focus_frame->update();
    QWidget::focusOutEvent(event);
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int upper_half = height() / 2;
    m_up->setGeometry(0, 0, width(), upper_half);
    m_down->setGeometry(0, upper_half, width(), height() - upper_half);
    m_focus_frame->setGeometry(rect());
    m_focus_frame->raise();
}
