#pragma once

#include <QObject>

#include "controls.h"
#include "form_presenter.h"

class QLineEdit;

// A QLineEdit as the form sees a text box, its events told to the form:
// changes (Qt's textChanged comes synchronously inside setText, which the
// form relies on), key releases, the focus coming and going and how, and
// clicks (a double click told by its second press). Its key presses are the
// window's (MainWindow::eventFilter).
class QtTextBox final : public QObject, public tubaro::TextBox {
public:
    QtTextBox(QLineEdit* edit, tubaro::ControlId id, tubaro::FormPresenter& form);

    std::string text() const override;
    void set_text(std::string_view text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
    tubaro::ControlId m_id;
    tubaro::FormPresenter& m_form;
};
