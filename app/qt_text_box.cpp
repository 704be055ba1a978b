#include "qt_text_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <optional>
#include <utility>

namespace {

tubaro::KeyChord chord(const QKeyEvent* key)
{
    constexpr Qt::KeyboardModifiers kKept = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return {key->key(), static_cast<int>((key->modifiers() & kKept).toInt())};
}

// The key that moved the focus in, as Qt reports it on release.
std::optional<tubaro::KeyChord> arrival_key(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason: return tubaro::KeyChord{Qt::Key_Tab, 0};
    case Qt::BacktabFocusReason: return tubaro::KeyChord{Qt::Key_Backtab, Qt::ShiftModifier};
    // Back from another window, most often by Alt+Tab.
    case Qt::ActiveWindowFocusReason: return tubaro::KeyChord{Qt::Key_Tab, Qt::AltModifier};
    default: return std::nullopt;
    }
}

}  // namespace

QtTextBox::QtTextBox(QLineEdit* edit, tubaro::EventEdge& edge) : m_edit(edit), m_edge(edge)
{
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] {
        if (on_change)
            on_change();
    });
}

std::string QtTextBox::text() const
{
    return m_edit->text().toStdString();
}

void QtTextBox::set_text(std::string_view text)
{
    const QString new_text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // QLineEdit::setText would clear the selection, move the cursor and drop
    // the undo history even for the same text: a result written back as it
    // was must leave the field as the user has it (Ctrl+A, Ctrl+C).
    if (new_text == m_edit->text())
        return;
    m_edge.through_toolkit([&] { m_edit->setText(new_text); });
}

bool QtTextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        m_keys.pressed(chord(static_cast<QKeyEvent*>(event)));
        break;
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats its press, but is released once.
        if (!key->isAutoRepeat() && m_keys.released(chord(key)) && on_key_release)
            on_key_release();
        break;
    }
    case QEvent::FocusIn:
        m_keys.focus_entered(arrival_key(static_cast<QFocusEvent*>(event)->reason()));
        break;
    case QEvent::FocusOut:
        m_keys.focus_lost();
        break;
    case QEvent::MouseButtonDblClick:
        m_after_double_click = true;
        break;
    case QEvent::MouseButtonRelease: {
        // A double click is one click, as on the platform's own text box.
        if (std::exchange(m_after_double_click, false))
            break;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_edit->rect().contains(mouse->position().toPoint()) && on_click)
            on_click();
        break;
    }
    default:
        break;
    }
    return false;
}
