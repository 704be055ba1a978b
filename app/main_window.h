#pragma once

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "error_balloon.h"
#include "event_edge.h"
#include "form_principale.h"
#include "qt_controls.h"
#include "qt_text_box.h"
#include "up_down.h"
#include "window_data.h"

class QButtonGroup;

// The one window: its controls built from the window's data, bound to the
// form logic through the control interface, every event handed to the event
// edge, where an error is reported beside the field and the program goes on.
class MainWindow final : public QWidget {
public:
    explicit MainWindow(const std::string& decimal_separator, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load handler: runs once, after the native window exists and before
    // it is first shown.
    void load();

    QWidget* control(tubaro::ControlId id) const { return m_widgets[index(id)]; }
    // The note beside the field, made at the first error: null before it.
    ErrorBalloon* error_balloon() const { return m_balloon; }
    std::optional<tubaro::ErrorKind> last_error() const { return m_last_error; }
    int reports() const { return m_reports; }

private:
    static std::size_t index(tubaro::ControlId id) { return static_cast<std::size_t>(id); }

    void build_controls(const std::string& decimal_separator);
    void wire_events();
    void fit_font();
    void report(const tubaro::EventEdge::Report& report);
    std::optional<tubaro::ControlId> control_id(const QWidget* widget) const;
    void choose_option(tubaro::Quantity mode);

    // Tab and Shift+Tab, by the form's one focus order.
    bool focusNextPrevChild(bool next) override;
    // The option group's arrow keys, and Space and Enter on the information
    // field.
    bool eventFilter(QObject* watched, QEvent* event) override;

    tubaro::EventEdge m_edge;
    std::array<QWidget*, tubaro::kControlCount> m_widgets{};
    // The adapters, by control id where the control has one.
    std::array<std::unique_ptr<QtTextBox>, tubaro::kControlCount> m_text_boxes;
    std::array<std::unique_ptr<QtOptionButton>, tubaro::kControlCount> m_options;
    std::unique_ptr<QtCheckBox> m_check;
    std::unique_ptr<QtWindow> m_window;
    QButtonGroup* m_option_group = nullptr;
    std::unique_ptr<tubaro::Form_Principale> m_logic;
    ErrorBalloon* m_balloon = nullptr;
    std::optional<tubaro::ErrorKind> m_last_error;
    int m_reports = 0;
};
