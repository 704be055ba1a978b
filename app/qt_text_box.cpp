#include "qt_text_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "qt_keys.h"
#include "utf8_text.h"

namespace {

tubaro::FocusCause focus_cause(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason: return tubaro::FocusCause::Tab;
    case Qt::BacktabFocusReason: return tubaro::FocusCause::BackTab;
    case Qt::ActiveWindowFocusReason: return tubaro::FocusCause::Activation;
    case Qt::MouseFocusReason: return tubaro::FocusCause::Pointer;
    default: return tubaro::FocusCause::Program;
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
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats its press, but is released once.
        if (!key->isAutoRepeat())
            m_form.key_released(m_id, key_chord(*key));
        break;
    }
    case QEvent::FocusIn:
        m_form.focus_entered(m_id, focus_cause(static_cast<QFocusEvent*>(event)->reason()));
        break;
    case QEvent::FocusOut:
        m_form.focus_left(m_id);
        break;
    case QEvent::MouseButtonDblClick:
        m_form.double_click_pressed(m_id);
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && m_edit->rect().contains(mouse->position().toPoint()))
            m_form.clicked(m_id, 1);
        break;
    }
    default:
        break;
    }
    return false;
}
