#pragma once

#include <QAbstractButton>
#include <QCheckBox>

#include "controls.h"

// The option buttons and the check box as the form sees them.

class QtOptionButton final : public tubaro::OptionButton {
public:
    explicit QtOptionButton(QAbstractButton* button) : m_button(button) {}
    bool is_set() const override { return m_button->isChecked(); }
    void set_checked(bool on) override { m_button->setChecked(on); }

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
    void set_value(int value) override
    {
        m_box->setCheckState(value == Unchecked ? Qt::Unchecked : value == Grayed ? Qt::PartiallyChecked : Qt::Checked);
    }
    bool enabled() const override { return m_box->isEnabled(); }

private:
    QCheckBox* m_box;
};
