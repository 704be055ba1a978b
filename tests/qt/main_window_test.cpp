#include <QAccessible>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "form/user_texts.h"
#include "qt/font_fit.h"
#include "qt/main_window.h"
#include "qt/up_down.h"
#include "qt/platform_choice.h"
#include "qt/twips.h"

// The real window, driven through its widgets with an Italian decimal
// separator.
class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    template <typename T = QWidget>
    T* widget(tubaro::ControlId id) const
    {
        return static_cast<T*>(m_window->control(id));
    }
    QLineEdit* edit(tubaro::ControlId id) const { return widget<QLineEdit>(id); }
    UpDown* up_down(tubaro::ControlId id) const { return widget<UpDown>(id); }

    // Types at the end of a field, as a user does.
    void type(tubaro::ControlId id, const QString& keys)
    {
        QLineEdit* field = edit(id);
        field->setFocus();
        field->end(false);
        QTest::keyClicks(field, keys);
    }

    void replace(tubaro::ControlId id, const QString& text)
    {
        QLineEdit* field = edit(id);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    // One key event, nothing else: QTest's key functions press and release
    // the modifiers around the key as well.
    void key_event(QEvent::Type type, tubaro::ControlId target, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(type, key, modifiers);
        QApplication::sendEvent(widget(target), &event);
    }

    QLabel* balloon() const { return m_window->findChild<QLabel*>(QStringLiteral("ErrorBalloon")); }
    bool balloon_shown() const { return balloon() && balloon()->isVisible(); }

private slots:
    void init()
    {
        m_window = std::make_unique<MainWindow>(",");
        m_window->winId();
        m_window->load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void start_state()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Tubaro GAS"));
        QCOMPARE(m_window->size(), QSize(207, 161));
        QCOMPARE(m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 19);
        QVERIFY(!balloon());  // made at the first error
        for (const tubaro::ControlSpec& row : tubaro::kWindowControls) {
            QWidget* control = m_window->findChild<QWidget*>(QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size())));
            QVERIFY2(control, row.name.data());
            QCOMPARE(control->geometry(), logical_pixels(row));
            QVERIFY2(!control->accessibleName().isEmpty(), row.name.data());
        }
        QCOMPARE(logical_pixels(tubaro::control_spec(tubaro::ControlId::Text_D)), QRect(96, 16, 54, 19));
        // Text_L ends exactly where its spin control begins.
        QCOMPARE(edit(tubaro::ControlId::Text_L)->geometry().right() + 1, up_down(tubaro::ControlId::UpDown_L)->geometry().left());

        QCOMPARE(edit(tubaro::ControlId::Text_D)->text(), QStringLiteral("37"));
        QCOMPARE(edit(tubaro::ControlId::Text_P)->text(), QStringLiteral("116"));
        QCOMPARE(edit(tubaro::ControlId::Text_Y)->text(), QStringLiteral("100"));
        QCOMPARE(edit(tubaro::ControlId::Text_L)->text(), QStringLiteral("30"));
        QCOMPARE(edit(tubaro::ControlId::Text_Pollici)->text(), QStringLiteral("1\"1/2"));
        QCOMPARE(edit(tubaro::ControlId::Text1)->text(), QStringLiteral("cliccare qui per informazioni"));
        QVERIFY(edit(tubaro::ControlId::Text1)->isReadOnly());
        QVERIFY(widget<QRadioButton>(tubaro::ControlId::Option_Diametro)->isChecked());
        QVERIFY(!up_down(tubaro::ControlId::UpDown_D)->isVisible());
        QVERIFY(up_down(tubaro::ControlId::UpDown_P)->isVisible());
        QVERIFY(widget<QCheckBox>(tubaro::ControlId::Check1)->isChecked());
        QVERIFY(m_window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(QApplication::focusWidget(), edit(tubaro::ControlId::Text_Y));
    }

    // Keyboard alone: a Tab cycle, a mode change by the arrow keys, the
    // cycle of the new mode, a spin step by Up, the information field by
    // Space and by Enter.
    void keyboard_alone()
    {
        using C = tubaro::ControlId;
        const auto tab_cycle = [this](std::initializer_list<C> expected) {
            for (C id : expected) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget()->objectName(), widget(id)->objectName());
            }
        };
        tab_cycle({C::Text_P, C::UpDown_P, C::Text_L, C::Option_Diametro, C::UpDown_Y, C::Check1, C::Text1, C::Text_D,
                   C::UpDown_L, C::Text_Pollici, C::Text_Y});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), edit(C::Text_Pollici));

        tab_cycle({C::Text_Y, C::Text_P, C::UpDown_P, C::Text_L, C::Option_Diametro});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);  // wraps to the last
        QVERIFY(widget<QRadioButton>(C::Option_Lunghezza)->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QVERIFY(widget<QRadioButton>(C::Option_Diametro)->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(widget<QRadioButton>(C::Option_Potenza)->isChecked());
        QCOMPARE(QApplication::focusWidget(), widget(C::Option_Potenza));
        QVERIFY(up_down(C::UpDown_D)->isVisible() && !up_down(C::UpDown_P)->isVisible());

        tab_cycle({C::UpDown_Y, C::Check1, C::Text1, C::Text_D, C::UpDown_D});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(edit(C::Text_D)->text(), QStringLiteral("38"));
        QCOMPARE(edit(C::Text_P)->text(), QStringLiteral("124"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), edit(C::Text1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(edit(C::Text1)->text(), QStringLiteral("https://www.tubaro.example/gas"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(edit(C::Text1)->text(), QStringLiteral("Versione Beta - 2004 11 19"));
        QCOMPARE(edit(C::Text_P)->text(), QStringLiteral("124"));  // no recalculation
    }

    void typing_recalculates_and_updates_the_designation()
    {
        type(tubaro::ControlId::Text_Y, "0");
        QCOMPARE(edit(tubaro::ControlId::Text_Y)->text(), QStringLiteral("1000"));
        QCOMPARE(edit(tubaro::ControlId::Text_D)->text(), QStringLiteral("23"));
        QCOMPARE(edit(tubaro::ControlId::Text_Pollici)->text(), QStringLiteral("1\""));
        QVERIFY(!balloon_shown());
    }

    void decimal_comma_is_read()
    {
        m_window->findChild<QRadioButton*>("Option_Lunghezza")->click();
        replace(tubaro::ControlId::Text_P, "116,5");
        QCOMPARE(edit(tubaro::ControlId::Text_L)->text(), QStringLiteral("30"));
        replace(tubaro::ControlId::Text_P, "10");
        QCOMPARE(edit(tubaro::ControlId::Text_L)->text(), QStringLiteral("2786"));
    }

    void spin_step_writes_then_recalculates()
    {
        QTest::mouseClick(up_down(tubaro::ControlId::UpDown_P)->up_button(), Qt::LeftButton);
        QCOMPARE(edit(tubaro::ControlId::Text_P)->text(), QStringLiteral("117"));
        QCOMPARE(edit(tubaro::ControlId::Text_D)->text(), QStringLiteral("37"));
        for (int i = 0; i < 100; ++i)
            QTest::mouseClick(up_down(tubaro::ControlId::UpDown_L)->down_button(), Qt::LeftButton);
        QCOMPARE(edit(tubaro::ControlId::Text_L)->text(), QStringLiteral("0"));
        QVERIFY(balloon_shown());  // a length of 0 divides by zero
        QCOMPARE(balloon()->text(), QStringLiteral("Divisione per zero"));
    }

    void spin_control_steps_with_arrow_keys()
    {
        up_down(tubaro::ControlId::UpDown_Y)->setFocus();
        QTest::keyClick(up_down(tubaro::ControlId::UpDown_Y), Qt::Key_Down);
        QCOMPARE(edit(tubaro::ControlId::Text_Y)->text(), QStringLiteral("99"));
    }

    void option_click_switches_spin_controls()
    {
        QTest::mouseClick(widget(tubaro::ControlId::Option_Potenza), Qt::LeftButton);
        QVERIFY(up_down(tubaro::ControlId::UpDown_D)->isVisible());
        QVERIFY(!up_down(tubaro::ControlId::UpDown_P)->isVisible());
        QVERIFY(!widget<QRadioButton>(tubaro::ControlId::Option_Diametro)->isChecked());
        QCOMPARE(edit(tubaro::ControlId::Text_P)->text(), QStringLiteral("116"));
        QTest::mouseClick(up_down(tubaro::ControlId::UpDown_D)->up_button(), Qt::LeftButton);
        QCOMPARE(edit(tubaro::ControlId::Text_D)->text(), QStringLiteral("38"));
        QCOMPARE(edit(tubaro::ControlId::Text_P)->text(), QStringLiteral("124"));
    }

    void arrow_keys_in_the_group_count_as_a_click()
    {
        auto* diametro = widget<QRadioButton>(tubaro::ControlId::Option_Diametro);
        diametro->setFocus();
        QTest::keyClick(diametro, Qt::Key_Down);
        QVERIFY(widget<QRadioButton>(tubaro::ControlId::Option_Potenza)->isChecked());
        QVERIFY(!up_down(tubaro::ControlId::UpDown_P)->isVisible());
        QVERIFY(up_down(tubaro::ControlId::UpDown_D)->isVisible());
    }

    void text1_toggles()
    {
        QLineEdit* info = edit(tubaro::ControlId::Text1);
        const QString address = QString::fromUtf8(tubaro::texts::kWebAddress.data());
        QTest::mouseClick(info, Qt::LeftButton);
        QCOMPARE(info->text(), address);
        QTest::mouseClick(info, Qt::LeftButton);
        QCOMPARE(info->text(), QStringLiteral("Versione Beta - 2004 11 19"));
        QTest::mouseClick(info, Qt::LeftButton);
        QCOMPARE(info->text(), address);
        QTest::keyClicks(info, "abc");
        QCOMPARE(info->text(), address);
    }

    void text1_double_click_is_one_click()
    {
        QLineEdit* info = edit(tubaro::ControlId::Text1);
        // What the platform delivers: press, release, double click, release.
        QTest::mouseClick(info, Qt::LeftButton);
        QTest::mouseDClick(info, Qt::LeftButton);
        QTest::mouseRelease(info, Qt::LeftButton);
        QCOMPARE(info->text(), QString::fromUtf8(tubaro::texts::kWebAddress.data()));
    }

    // A spin control is shown as the window's data means it, whether or not
    // its window is on screen yet (a window not shown, or minimized).
    void a_spin_control_of_a_window_not_on_screen_steps()
    {
        MainWindow hidden(",");
        auto* up_down = static_cast<UpDown*>(hidden.control(tubaro::ControlId::UpDown_P));
        up_down->up_button()->click();
        QCOMPARE(static_cast<QLineEdit*>(hidden.control(tubaro::ControlId::Text_P))->text(), QStringLiteral("117"));
    }

    void check1_switches_stay_on_top_without_hiding()
    {
        auto* check = widget<QCheckBox>(tubaro::ControlId::Check1);
        const QRect place = m_window->geometry();
        const WId native = m_window->winId();
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(!check->isChecked());
        QVERIFY(!m_window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_window->winId(), native);
        QCOMPARE(m_window->geometry(), place);
        QTest::keyClick(check, Qt::Key_Space);
        QVERIFY(check->isChecked());
        QVERIFY(m_window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void error_is_reported_without_taking_the_focus()
    {
        replace(tubaro::ControlId::Text_P, "-");
        QVERIFY(balloon_shown());
        QCOMPARE(balloon()->text(), QStringLiteral("Tipo non corrispondente"));
        QCOMPARE(QApplication::focusWidget(), edit(tubaro::ControlId::Text_P));
        QVERIFY(m_window->isActiveWindow());
        QTest::keyClicks(edit(tubaro::ControlId::Text_P), "5");
        QCOMPARE(edit(tubaro::ControlId::Text_P)->text(), QStringLiteral("-5"));  // typing goes on
        QCOMPARE(edit(tubaro::ControlId::Text_D)->text(), QStringLiteral("37"));
        replace(tubaro::ControlId::Text_P, "10");
        QCOMPARE(edit(tubaro::ControlId::Text_D)->text(), QStringLiteral("15"));
        QVERIFY(!balloon_shown());  // gone at the next successful recalculation
    }

    void bad_input_in_the_middle_keeps_what_was_written()
    {
        replace(tubaro::ControlId::Text_L, "abc");
        QCOMPARE(balloon()->text(), QStringLiteral("Tipo non corrispondente"));
        type(tubaro::ControlId::Text_P, "0");
        QCOMPARE(edit(tubaro::ControlId::Text_P)->text(), QStringLiteral("1160"));
        QCOMPARE(edit(tubaro::ControlId::Text_D)->text(), QStringLiteral("37"));
        QCOMPARE(edit(tubaro::ControlId::Text_Pollici)->text(), QStringLiteral("1\"1/2"));
    }

    void tab_release_in_the_next_field_does_not_recalculate()
    {
        edit(tubaro::ControlId::Text_L)->setText("");  // any recalculation would now fail
        QLineEdit* from = edit(tubaro::ControlId::Text_Y);
        from->setFocus();
        QTest::keyPress(from, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), edit(tubaro::ControlId::Text_P));
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!balloon_shown());
    }

    // Only the key that moved the focus in is ignored: the Shift of a
    // Shift+Tab counts when it comes up, and so does one held across a click.
    void shift_tab_arrival_counts_only_the_shift()
    {
        edit(tubaro::ControlId::Text_L)->setText("");  // any recalculation now fails
        up_down(tubaro::ControlId::UpDown_P)->setFocus();
        key_event(QEvent::KeyPress, tubaro::ControlId::UpDown_P, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), edit(tubaro::ControlId::Text_P));
        key_event(QEvent::KeyRelease, tubaro::ControlId::Text_P, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(!balloon_shown());
        key_event(QEvent::KeyRelease, tubaro::ControlId::Text_P, Qt::Key_Shift, Qt::ShiftModifier);
        QVERIFY(balloon_shown());
    }

    void shift_held_across_a_click_counts()
    {
        edit(tubaro::ControlId::Text_L)->setText("");
        key_event(QEvent::KeyPress, tubaro::ControlId::Text_Y, Qt::Key_Shift, Qt::ShiftModifier);
        QTest::mouseClick(edit(tubaro::ControlId::Text_P), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), edit(tubaro::ControlId::Text_P));
        QVERIFY(!balloon_shown());
        key_event(QEvent::KeyRelease, tubaro::ControlId::Text_P, Qt::Key_Shift, Qt::ShiftModifier);
        QVERIFY(balloon_shown());
    }

    // Writing back the text a field holds leaves it as the user has it.
    void select_all_in_the_computed_field_survives_the_recalculation()
    {
        QLineEdit* diameter = edit(tubaro::ControlId::Text_D);
        diameter->setFocus();
        QTest::keyClick(diameter, Qt::Key_A, Qt::ControlModifier);  // its release recalculates 37
        QCOMPARE(diameter->selectedText(), QStringLiteral("37"));
        type(tubaro::ControlId::Text_P, "0");  // 1160 kW: a new diameter is written as ever
        QCOMPARE(diameter->text(), QStringLiteral("89"));
    }

    void the_error_note_is_an_alert_named_by_its_message()
    {
        replace(tubaro::ControlId::Text_P, "-");
        QVERIFY(balloon_shown());
        QAccessibleInterface* note = QAccessible::queryAccessibleInterface(balloon());
        QVERIFY(note);
        QCOMPARE(note->role(), QAccessible::AlertMessage);
        QCOMPARE(note->text(QAccessible::Name), QStringLiteral("Tipo non corrispondente"));
        QCOMPARE(note->text(QAccessible::Description), QStringLiteral("Tipo non corrispondente"));
    }

    void paste_updates_only_the_designation()
    {
        QTest::mouseClick(widget(tubaro::ControlId::Option_Potenza), Qt::LeftButton);
        edit(tubaro::ControlId::Text_D)->setFocus();
        edit(tubaro::ControlId::Text_D)->selectAll();
        edit(tubaro::ControlId::Text_D)->insert("60");  // what a paste does: no key
        QCOMPARE(edit(tubaro::ControlId::Text_Pollici)->text(), QStringLiteral("2''1/2"));
        QCOMPARE(edit(tubaro::ControlId::Text_P)->text(), QStringLiteral("116"));
    }

    // The font gives way only where a text would not fit, and never grows:
    // a fractional size that fits stays as it is.
    void the_font_fits_and_never_grows_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<QSize>("room");
        QTest::addColumn<bool>("kept");
        QTest::newRow("9.75 pt, room enough") << 9.75 << QSize(400, 60) << true;
        QTest::newRow("10.3 pt, room enough") << 10.3 << QSize(400, 60) << true;
        QTest::newRow("10.3 pt, too wide") << 10.3 << QSize(75, 60) << false;
        QTest::newRow("40 pt, too large") << 40.0 << QSize(70, 17) << false;
    }

    void the_font_fits_and_never_grows()
    {
        QFETCH(double, points);
        QFETCH(QSize, room);
        QFETCH(bool, kept);
        QFont font = m_window->font();
        font.setPointSizeF(points);
        const QString caption = QStringLiteral("Diametro [mm]");
        const QFont fitted = largest_fitting_font(font, {{caption, room}});
        if (kept) {
            QCOMPARE(fitted.pointSizeF(), points);
        } else {
            QVERIFY(fitted.pointSizeF() < points);
            QVERIFY(fitted.pointSizeF() >= 6);
            const QFontMetrics metrics(fitted);
            QVERIFY(metrics.horizontalAdvance(caption) <= room.width());
            QVERIFY(metrics.height() <= room.height());
        }
    }

    // Before Qt starts: XWayland in a Wayland session that has it, unless the
    // user has chosen; Qt's own choice everywhere else.
    void platform_to_ask_for_data()
    {
        QTest::addColumn<QStringList>("environment");  // NAME=VALUE
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");  // empty: none
        QTest::newRow("wayland with xwayland") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"}
                                               << QStringList{} << "xcb;wayland";
        QTest::newRow("wayland alone") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList{} << "";
        QTest::newRow("x11 alone") << QStringList{"DISPLAY=:1"} << QStringList{} << "";
        QTest::newRow("user's variable") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1",
                                                        "QT_QPA_PLATFORM=wayland"}
                                         << QStringList{} << "";
        QTest::newRow("user's argument") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"}
                                         << QStringList{"-platform", "wayland"} << "";
        QTest::newRow("other arguments") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"}
                                         << QStringList{"-style", "fusion"} << "xcb;wayland";
    }

    void platform_to_ask_for()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const auto lookup = [&](const char* name) {
            for (const QString& each : environment)
                if (each.section(QLatin1Char('='), 0, 0) == QLatin1String(name))
                    return each.section(QLatin1Char('='), 1).toStdString();
            return std::string();
        };
        std::vector<std::string> held;
        for (const QString& each : arguments)
            held.push_back(each.toStdString());
        const std::vector<std::string_view> views(held.begin(), held.end());
        const auto platform = ::platform_to_ask_for(lookup, views);
        QCOMPARE(QString::fromStdString(platform.value_or("")), expected);
    }

    void only_a_native_wayland_window_cannot_stay_on_top()
    {
        QVERIFY(platform_keeps_windows_on_top("xcb"));
        QVERIFY(platform_keeps_windows_on_top("offscreen"));
        QVERIFY(!platform_keeps_windows_on_top("wayland"));
        QVERIFY(!platform_keeps_windows_on_top("wayland-egl"));
    }

    void every_text_fits_its_control()
    {
        const QFontMetrics metrics(m_window->font());
        for (const tubaro::ControlSpec& row : tubaro::kWindowControls) {
            QWidget* control = m_window->control(row.id);
            if (auto* label = qobject_cast<QLabel*>(control)) {
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(), row.name.data());
            } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
                // Room for the text: the width less the frame and margins.
                const int room = field->width() - 2 * 2 - 4;
                QVERIFY2(metrics.horizontalAdvance(field->text()) <= room, row.name.data());
                QVERIFY2(metrics.height() <= field->height(), row.name.data());
            }
        }
        const int info_room = edit(tubaro::ControlId::Text1)->width() - 8;
        QVERIFY(metrics.horizontalAdvance(QString::fromUtf8(tubaro::texts::kWebAddress.data())) <= info_room);
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("Versione Beta - 2004 11 19")) <= info_room);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
