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
#include "window_layout.h"

class QButtonGroup;

// The one window: its controls built from the layout table, bound to the
// form logic through the control interface, every event run at an edge where
// an error is reported beside the field and the program goes on.
class MainWindow final : public QWidget {
public:
    explicit MainWindow(const std::string& decimal_separator, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load handler: runs once, after the native window exists and before
    // it is first shown.
    void load();

    QWidget* control(ControlId id) const { return m_widgets[static_cast<std::size_t>(id)]; }
    ErrorBalloon* error_balloon() const { return m_balloon; }
    std::optional<tubaro::ErrorKind> last_error() const { return m_last_error; }
    int reports() const { return m_reports; }

private:
    void build_controls(const std::string& decimal_separator);
    void wire_events();
    void set_tab_order();
    void fit_font();
    // Runs a handler as the outer edge of an event that started at source.
    template <typename Handler>
    void at_edge(QWidget* source, Handler&& handler);
    void report(tubaro::ErrorKind kind);

    std::array<QWidget*, 19> m_widgets{};
    std::array<std::unique_ptr<QtTextBox>, 6> m_text_boxes;  // D, P, Y, L, Pollici, Text1
    std::array<std::unique_ptr<QtOptionButton>, 4> m_options;
    std::unique_ptr<QtCheckBox> m_check;
    std::unique_ptr<QtWindow> m_window;
    QButtonGroup* m_option_group = nullptr;
    std::unique_ptr<tubaro::FormControls> m_controls;
    std::unique_ptr<tubaro::Form_Principale> m_logic;
    tubaro::EventEdge m_edge;
    ErrorBalloon* m_balloon;
    QWidget* m_error_source = nullptr;
    std::optional<tubaro::ErrorKind> m_last_error;
    int m_reports = 0;
};
