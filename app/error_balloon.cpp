#include "error_balloon.h"

#include <QAccessible>

namespace {
constexpr int kShownMilliseconds = 4000;
}

ErrorBalloon::ErrorBalloon(QWidget* parent) : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QStringLiteral("ErrorBalloon"));
    setAccessibleName(QStringLiteral("Errore"));
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(3);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kShownMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
}

void ErrorBalloon::show_at(QWidget* anchor, const QString& message)
{
    setText(message);
    adjustSize();
    const QWidget* target = anchor ? anchor : parentWidget();
    move(target->mapToGlobal(QPoint(0, target->height() + 1)));
    show();
    m_timer.start();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void ErrorBalloon::dismiss()
{
    m_timer.stop();
    hide();
}
