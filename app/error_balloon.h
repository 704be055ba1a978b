#pragma once

#include <QLabel>
#include <QTimer>

// A small note beside the field the user is working in that names what went
// wrong. It is no dialog and never takes the focus, so typing goes on; it goes
// away at the next successful recalculation or after a few seconds.
//
// For assistive technology it is an alert whose name and description are the
// message shown ("Divisione per zero"), announced when it appears.
class ErrorBalloon final : public QLabel {
public:
    explicit ErrorBalloon(QWidget* parent);

    void show_at(QWidget* anchor, const QString& message);
    void dismiss();

private:
    QTimer m_timer;
};
