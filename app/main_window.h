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
#include "window_data.h"

class QButtonGroup;

// The one window: its controls built from the window's data and bound to the
// form, every Qt event of theirs told to the form, which decides what
// follows; an error is shown in a note beside the control it names.
class MainWindow final : public QWidget, public tubaro::Window {
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
    void set_topmost(bool topmost) override;
    void focus(tubaro::ControlId control) override;
    void show_error(std::optional<tubaro::ControlId> source, std::string_view message) override;
    void hide_error() override;

private:
    static std::size_t index(tubaro::ControlId id) { return static_cast<std::size_t>(id); }

    void build_controls();
    // Where the window cannot be kept above the others (a native Wayland
    // window), Check1 starts unticked and disabled, and says why.
    void explain_no_stay_on_top();
    void bind_form();
    void fit_font();
    std::optional<tubaro::ControlId> control_id(const QObject* widget) const;

    // Tab and Shift+Tab, by the form's one focus order.
    bool focusNextPrevChild(bool next) override;
    // The keys with a meaning beyond typing, on every control.
    bool eventFilter(QObject* watched, QEvent* event) override;

    tubaro::FormPresenter m_form;
    bool m_can_stay_on_top;
    std::array<QWidget*, tubaro::kControlCount> m_widgets{};
    // The adapters, by control id where the control has one.
    std::array<std::unique_ptr<QtTextBox>, tubaro::kControlCount> m_text_boxes;
    std::array<std::unique_ptr<QtOptionButton>, tubaro::kControlCount> m_options;
    std::unique_ptr<QtCheckBox> m_check;
    QButtonGroup* m_option_group = nullptr;
    ErrorBalloon* m_balloon = nullptr;
    int m_reports = 0;
};
