#include "window_build.h"

namespace tubaro {

namespace {

// Makes each control through the factory and keeps what the form uses of
// it, by quantity where it belongs to a row.
class Assembler final : public ControlKindVisitor {
public:
    explicit Assembler(ControlFactory& factory) : m_factory(factory)
    {
        m_controls.window = &factory.host();
    }
    const FormControls& controls() const { return m_controls; }

    void label(const ControlSpec& row) override { m_factory.make_label(row); }
    void text_box(const ControlSpec& row) override
    {
        TextBox& box = m_factory.make_text_box(row);
        if (row.id == ControlId::Text_Pollici)
            m_controls.Text_Pollici = &box;
        else if (row.id == ControlId::Text1)
            m_controls.Text1 = &box;
        else
            m_controls.fields[*quantity_of(row.id)] = &box;
    }
    void option_button(const ControlSpec& row) override
    {
        m_controls.options[*quantity_of(row.id)] = &m_factory.make_option_button(row);
    }
    void check_box(const ControlSpec& row) override { m_controls.Check1 = &m_factory.make_check_box(row); }
    void spin_control(const ControlSpec& row) override
    {
        m_controls.spins[*quantity_of(row.id)] = &m_factory.make_spin_control(row);
    }

private:
    ControlFactory& m_factory;
    FormControls m_controls{};
};

std::string_view why_not_on_top(StayOnTop stay_on_top)
{
    switch (stay_on_top) {
    case StayOnTop::NotOnWayland: return kStayOnTopUnavailableOnWayland;
    case StayOnTop::NotInBrowser: return kStayOnTopUnavailableInBrowser;
    case StayOnTop::Always:
    case StayOnTop::AtAClick: break;
    }
    return {};
}

}  // namespace

ControlSpec as_shown(const ControlSpec& row, StayOnTop stay_on_top)
{
    ControlSpec shown = row;
    if (row.id != ControlId::Check1 || stay_on_top == StayOnTop::Always)
        return shown;
    // A box ticked for something the window cannot do would be a failure
    // reported as success; a page may float only at the user's own click.
    shown.settings &= ~static_cast<unsigned>(kSetAtStart);
    if (const std::string_view why = why_not_on_top(stay_on_top); !why.empty()) {
        shown.settings |= kDisabledAtStart;
        shown.why_disabled = why;
    }
    return shown;
}

void walk_window(ControlKindVisitor& visitor, StayOnTop stay_on_top)
{
    for (const ControlSpec& data : kWindowControls) {
        const ControlSpec row = as_shown(data, stay_on_top);
        switch (row.kind) {
        case ControlKind::Label: visitor.label(row); break;
        case ControlKind::TextBox: visitor.text_box(row); break;
        case ControlKind::OptionButton: visitor.option_button(row); break;
        case ControlKind::CheckBox: visitor.check_box(row); break;
        case ControlKind::SpinControl: visitor.spin_control(row); break;
        }
    }
}

FormControls build_window(ControlFactory& factory)
{
    Assembler assembler(factory);
    walk_window(assembler, factory.host().traits().stay_on_top);
    return assembler.controls();
}

}  // namespace tubaro
