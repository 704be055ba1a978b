#include "qt/error_balloon.h"

#include <QAccessible>
#include <QAccessibleWidget>


namespace {

// The note's accessible role: an alert, which screen readers read out when
// it is shown, rather than a label they pass over.
class AccessibleErrorNote final : public QAccessibleWidget {
public:
    explicit AccessibleErrorNote(QWidget* note) : QAccessibleWidget(note, QAccessible::AlertMessage) {}
};

QAccessibleInterface* error_note_interface(const QString&, QObject* object)
{
    if (auto* note = dynamic_cast<ErrorBalloon*>(object))
        return new AccessibleErrorNote(note);
    return nullptr;
}

}  // namespace

ErrorBalloon::ErrorBalloon(QWidget* parent)
    // Clicks pass through to the field beneath, which the note must not block.
    : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)
{
    static const bool factory_installed = [] {
        QAccessible::installFactory(error_note_interface);
        return true;
    }();
    (void)factory_installed;

    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QStringLiteral("ErrorBalloon"));
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(3);
}

void ErrorBalloon::show_at(QWidget* anchor, const QString& message)
{
    setText(message);
    setAccessibleName(message);
    setAccessibleDescription(message);
    adjustSize();
    const QWidget* target = anchor ? anchor : parentWidget();
    move(target->mapToGlobal(QPoint(0, target->height() + 1)));
    show();
    // Qt tells the accessibility bus of no top-level window being shown; an
    // alert that starts showing is what a screen reader reads out. The alert
    // event itself serves the platforms that have one.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void ErrorBalloon::dismiss()
{
    if (!isVisible())
        return;
    hide();
    QAccessibleEvent hidden(this, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
}
