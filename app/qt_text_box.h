#pragma once

#include <QObject>

#include <exception>
#include <functional>

#include "controls.h"
#include "key_release_filter.h"

class QLineEdit;

// A QLineEdit as the form logic sees a text box. Qt's textChanged is emitted
// synchronously inside setText, and not at all for an equal text, which is
// what the logic relies on. An error raised by a change handler nested in an
// assignment is carried past Qt's own frames and raised again once setText
// has returned, so no exception ever unwinds through Qt.
class QtTextBox final : public QObject, public tubaro::TextBox {
public:
    explicit QtTextBox(QLineEdit* edit);

    std::string text() const override;
    void set_text(std::string_view text) override;

    QLineEdit* widget() const { return m_edit; }

    std::function<void()> on_change;
    std::function<void()> on_key_release;
    std::function<void()> on_click;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changed();

    QLineEdit* m_edit;
    tubaro::KeyReleaseFilter m_keys;
    int m_assignments = 0;
    bool m_after_double_click = false;
    std::exception_ptr m_pending;
};
