#include "up_down.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolButton>

#include "long.h"
#include "spin_step.h"

namespace {

QToolButton* arrow_button(Qt::ArrowType arrow, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);  // holding an arrow repeats whole steps
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    button->setToolTip(name);
    return button;
}

}  // namespace

UpDown::UpDown(tubaro::TextBox& paired, int upper, std::string decimal_separator, const QString& quantity,
               QWidget* parent)
    : QWidget(parent),
      m_paired(paired),
      m_upper(upper),
      m_separator(std::move(decimal_separator)),
      m_up(arrow_button(Qt::UpArrow, QStringLiteral("Aumenta %1").arg(quantity), this)),
      m_down(arrow_button(Qt::DownArrow, QStringLiteral("Diminuisci %1").arg(quantity), this))
{
    setFocusPolicy(Qt::TabFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::step(int direction)
{
    if (!isVisible())
        return;
    const auto next = tubaro::spin_step(m_paired.text(), m_last_value, m_upper, direction, m_separator);
    if (!next)
        return;
    m_last_value = *next;
    m_paired.set_text(tubaro::long_to_text(*next));
    if (on_notification)
        on_notification();
}

void UpDown::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        step(+1);
    else if (event->key() == Qt::Key_Down)
        step(-1);
    else
        QWidget::keyPressEvent(event);
}

void UpDown::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int upper_half = height() / 2;
    m_up->setGeometry(0, 0, width(), upper_half);
    m_down->setGeometry(0, upper_half, width(), height() - upper_half);
}
