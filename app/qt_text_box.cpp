#include "qt_text_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <optional>
#include <utility>

#include "utf8_text.h"

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

QtTextBox::QtTextBox(QLineEdit* edit, tubaro::ControlId id, tubaro::FormPresenter& form)
    : m_edit(edit), m_id(id), m_form(form)
{
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] { m_form.text_changed(m_id); });
}

std::string QtTextBox::text() const
{
    return m_edit->text().toStdString();
}

void QtTextBox::set_text(std::string_view text)
{
    m_edit->setText(from_utf8(text));
}

bool QtTextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        m_form.key_pressed(m_id, chord(static_cast<QKeyEvent*>(event)));
        break;
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats its press, but is released once.
        if (!key->isAutoRepeat())
            m_form.key_released(m_id, chord(key));
        break;
    }
    case QEvent::FocusIn:
        m_form.focus_entered(m_id, arrival_key(static_cast<QFocusEvent*>(event)->reason()));
        break;
    case QEvent::FocusOut:
        m_form.focus_left(m_id);
        break;
    case QEvent::MouseButtonDblClick:
        m_after_double_click = true;
        break;
    case QEvent::MouseButtonRelease: {
        // Qt tells a double click by its second press.
        const int clicks = std::exchange(m_after_double_click, false) ? 2 : 1;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_edit->rect().contains(mouse->position().toPoint()))
            m_form.clicked(m_id, clicks);
        break;
    }
    default:
        break;
    }
    return false;
}
