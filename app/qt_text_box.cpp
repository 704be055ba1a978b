#include "qt_text_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <utility>

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
    m_edge.through_toolkit(
        [&] { m_edit->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))); });
}

bool QtTextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        m_keys.pressed(static_cast<QKeyEvent*>(event)->key());
        break;
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats its press, but is released once.
        if (!key->isAutoRepeat() && m_keys.released(key->key()) && on_key_release)
            on_key_release();
        break;
    }
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
