#pragma once

#include <QObject>

#include <functional>

#include "controls.h"
#include "event_edge.h"
#include "key_release_filter.h"

class QLineEdit;

// A QLineEdit as the form logic sees a text box. Qt's textChanged is emitted
// synchronously inside setText, which is what the logic relies on; an equal
// text is not set at all. Key releases pass the key-release filter. The assignment goes through the event edge, so
// an error of the change it raises reaches the code that assigned once Qt's
// own frames have returned.
class QtTextBox final : public QObject, public tubaro::TextBox {
public:
    QtTextBox(QLineEdit* edit, tubaro::EventEdge& edge);

    std::string text() const override;
    void set_text(std::string_view text) override;

    QLineEdit* widget() const { return m_edit; }

    // The window hands each of these to the event edge.
    std::function<void()> on_change;
    std::function<void()> on_key_release;
    std::function<void()> on_click;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
    tubaro::EventEdge& m_edge;
    tubaro::KeyReleaseFilter m_keys;
    bool m_after_double_click = false;
};
