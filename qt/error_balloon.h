#pragma once

#include <QLabel>

// A small note beside the field the user is working in that names what went
// wrong. It is no dialog and never takes the focus, so typing goes on; the
// form says when it goes.
//
// For assistive technology it is an alert whose name and description are the
// message shown ("Divisione per zero"), announced when it appears.
class ErrorBalloon final : public QLabel {
public:
    explicit ErrorBalloon(QWidget* parent);

    void show_at(QWidget* anchor, const QString& message);
    void dismiss();
};
