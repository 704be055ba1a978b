#pragma once

#include <QAbstractButton>
#include <QCheckBox>

#include "controls.h"
#include "stay_on_top.h"

// The simple controls as the form logic sees them.

class QtOptionButton final : public tubaro::OptionButton {
public:
    explicit QtOptionButton(QAbstractButton* button) : m_button(button) {}
    bool is_set() const override { return m_button->isChecked(); }

private:
    QAbstractButton* m_button;
};

class QtCheckBox final : public tubaro::CheckBox {
public:
    explicit QtCheckBox(QCheckBox* box) : m_box(box) {}
    int value() const override
    {
        switch (m_box->checkState()) {
        case Qt::Unchecked: return Unchecked;
        case Qt::PartiallyChecked: return Grayed;
        case Qt::Checked: return Checked;
        }
        return Checked;
    }

private:
    QCheckBox* m_box;
};

class QtWindow final : public tubaro::Window {
public:
    explicit QtWindow(QWidget* window) : m_window(window) {}
    void set_topmost(bool topmost) override { set_stay_on_top(m_window, topmost); }

private:
    QWidget* m_window;
};
