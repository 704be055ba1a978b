#pragma once

#include <windows.h>

#include <functional>

#include "controls.h"
#include "form_presenter.h"

// An EDIT control as the form sees a text box. The edit raises EN_CHANGE
// inside WM_SETTEXT, so an assignment's change event (which the window tells
// the form) runs before set_text returns. The subclassed edit tells the form
// its key releases (WM_KEYUP and WM_SYSKEYUP), the focus coming and going
// and how, and its clicks (WM_LBUTTONUP, a double click told by its second
// press). Its key presses are the window's (MainWindow::take_keyboard).
class EditBox final : public tubaro::TextBox {
public:
    // `cause` tells, when the edit takes the focus otherwise than by a
    // click on it, how the focus came.
    EditBox(HWND edit, tubaro::ControlId id, tubaro::FormPresenter& form, std::function<tubaro::FocusCause()> cause);
    ~EditBox() override;
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    std::string text() const override;
    void set_text(std::string_view text) override;

private:
    static LRESULT CALLBACK subclass_procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    HWND m_edit;
    tubaro::ControlId m_id;
    tubaro::FormPresenter& m_form;
    std::function<tubaro::FocusCause()> m_cause;
    // A button is going down on the edit, which takes the focus inside it.
    bool m_pressed = false;
};
