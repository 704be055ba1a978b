#pragma once

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "error_balloon.h"
#include "form_presenter.h"
#include "qt_controls.h"
#include "qt_text_box.h"
#include "up_down.h"
#include "window_build.h"
#include "window_data.h"

class QButtonGroup;

// The one window: the form builds it through the factory below, each Qt
// event of its controls is told to the form, which decides what follows;
// an error is shown in a note beside the control it names.
class MainWindow final : public QWidget, public tubaro::Window, private tubaro::ControlFactory {
public:
    explicit MainWindow(const std::string& decimal_separator, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load handler: runs once, after the native window exists and before
    // it is first shown.
    void load();

    QWidget* control(tubaro::ControlId id) const { return m_widgets[index(id)]; }
    // The note beside the field, made at the first error: null before it.
    ErrorBalloon* error_balloon() const { return m_balloon; }
    int reports() const { return m_reports; }

    // What the form asks of the window.
    tubaro::WindowTraits traits() const override;
    void set_topmost(bool topmost) override;
    std::optional<tubaro::ControlId> focused() const override;
    void focus(tubaro::ControlId control, tubaro::FocusCause cause) override;
    void show_error(const tubaro::ErrorReport& report) override;
    void hide_error() override;

private:
    static std::size_t index(tubaro::ControlId id) { return static_cast<std::size_t>(id); }

    // Each control as the window's data has it, made for the form.
    tubaro::Window& host() override { return *this; }
    void make_label(const tubaro::ControlSpec& row) override;
    tubaro::TextBox& make_text_box(const tubaro::ControlSpec& row) override;
    tubaro::OptionButton& make_option_button(const tubaro::ControlSpec& row) override;
    tubaro::CheckBox& make_check_box(const tubaro::ControlSpec& row) override;
    tubaro::SpinControl& make_spin_control(const tubaro::ControlSpec& row) override;
    // What every control takes from its row: name, place, accessible name
    // and description, tooltip, whether it is enabled.
    void place(QWidget* widget, const tubaro::ControlSpec& row);

    void fit_font();
    std::optional<tubaro::ControlId> control_id(const QObject* widget) const;

    // Tab and Shift+Tab where Qt itself moves the focus, by the form's order.
    bool focusNextPrevChild(bool next) override;
    // Every key pressed on a control, told to the form.
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::array<QWidget*, tubaro::kControlCount> m_widgets{};
    // The adapters, by control id where the control has one; they go before
    // the widgets they wrap, which Qt deletes last.
    std::array<std::unique_ptr<QtTextBox>, tubaro::kControlCount> m_text_boxes;
    std::array<std::unique_ptr<QtOptionButton>, tubaro::kControlCount> m_options;
    std::unique_ptr<QtCheckBox> m_check;
    QButtonGroup* m_option_group;
    const bool m_can_stay_on_top;
    ErrorBalloon* m_balloon = nullptr;
    int m_reports = 0;
    // Last: it builds the window through the factory above.
    tubaro::FormPresenter m_form;
};
