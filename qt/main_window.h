#pragma once

#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>
#include <string>

#include "qt/error_balloon.h"
#include "form/form_event.h"
#include "form/form_presenter.h"
#include "form/window_data.h"
#include "form/window_state.h"

// The one window on Qt: its widgets made from the window's data in one loop,
// each Qt event of theirs turned into the form's event and handed to the
// form with the widgets' state, and the effects the form answers applied.
// It decides nothing; what it keeps are Qt's own ways: the line edit's room
// for text, the focus frame over the arrows, the balloon's place, the font
// fitted to the fixed layout, the reasons Qt gives for a focus.
class MainWindow final : public QWidget {
public:
    explicit MainWindow(const std::string& decimal_separator, QWidget* parent = nullptr);

    // The load handler: once, after the native window exists and before it
    // is first shown.
    void load();

    // A control's widget, found by its name.
    QWidget* control(tubaro::ControlId id) const;

protected:
    void showEvent(QShowEvent* event) override;
    // Tab and Shift+Tab where Qt itself moves the focus, by the form's order.
    bool focusNextPrevChild(bool next) override;
    // Every event of a control's widget (and of its arrows), told to the form.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One event handed to the form, its answer applied; true when the form
    // took the event.
    bool tell(tubaro::FormEvent event);
    tubaro::WindowState state() const;
    void apply(const tubaro::Effect& effect);
    std::optional<tubaro::ControlId> control_id(const QObject* widget) const;

    void make_controls(const tubaro::WindowTraits& traits);
    void fit_font();

    tubaro::FormPresenter m_form;
    ErrorBalloon* m_balloon = nullptr;
    // The form's timers, on Qt's clock.
    std::array<QTimer, 2> m_timers;
    // While the form's effects are applied, the events Qt raises for them are
    // none of the form's.
    bool m_applying = false;
    bool m_shown = false;
};
