#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include "qt/main_window.h"
#include "qt/up_down.h"
#include "tests/support/random_use.h"

namespace {

using tubaro::Quantity;

constexpr tubaro::ControlId kField[] = {tubaro::ControlId::Text_D, tubaro::ControlId::Text_P, tubaro::ControlId::Text_Y, tubaro::ControlId::Text_L};
constexpr tubaro::ControlId kSpin[] = {tubaro::ControlId::UpDown_D, tubaro::ControlId::UpDown_P, tubaro::ControlId::UpDown_Y, tubaro::ControlId::UpDown_L};
constexpr tubaro::ControlId kOption[] = {tubaro::ControlId::Option_Diametro, tubaro::ControlId::Option_Potenza, tubaro::ControlId::Option_Perdita,
                                 tubaro::ControlId::Option_Lunghezza};

// Counts the error notes the window shows: each is the balloon shown.
class NotesShown final : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("ErrorBalloon"))
            ++count;
        return false;
    }
};

// The real widgets, driven with Qt Test's mouse and key events.
class QtDriver final : public random_use::Driver {
public:
    explicit QtDriver(MainWindow& window) : m_window(window) { QApplication::instance()->installEventFilter(&m_notes); }
    ~QtDriver() override { QApplication::instance()->removeEventFilter(&m_notes); }

    void type(Quantity field, char key) override
    {
        QLineEdit* edit = line_edit(kField[random_use::at(field)]);
        edit->setFocus();
        edit->end(false);
        QTest::keyClick(edit, key);
    }
    void backspace(Quantity field) override
    {
        QLineEdit* edit = line_edit(kField[random_use::at(field)]);
        edit->setFocus();
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    void step(Quantity field, int direction) override
    {
        auto* up_down = static_cast<UpDown*>(m_window.control(kSpin[random_use::at(field)]));
        if (up_down->isVisible())
            QTest::mouseClick(direction > 0 ? up_down->up_button() : up_down->down_button(), Qt::LeftButton);
    }
    void click_option(Quantity mode) override
    {
        QTest::mouseClick(m_window.control(kOption[random_use::at(mode)]), Qt::LeftButton);
    }
    void click_check1() override { QTest::mouseClick(m_window.control(tubaro::ControlId::Check1), Qt::LeftButton); }
    void click_text1() override { QTest::mouseClick(m_window.control(tubaro::ControlId::Text1), Qt::LeftButton); }

    std::string text(Quantity field) const override { return text_of(kField[random_use::at(field)]); }
    std::string designation() const override { return text_of(tubaro::ControlId::Text_Pollici); }
    std::string information() const override { return text_of(tubaro::ControlId::Text1); }
    int options_set() const override
    {
        int set = 0;
        for (tubaro::ControlId id : kOption)
            set += static_cast<QRadioButton*>(m_window.control(id))->isChecked();
        return set;
    }
    std::optional<Quantity> mode() const override
    {
        for (Quantity q : tubaro::kQuantities)
            if (static_cast<QRadioButton*>(m_window.control(kOption[random_use::at(q)]))->isChecked())
                return q;
        return std::nullopt;
    }
    bool spin_visible(Quantity field) const override
    {
        return m_window.control(kSpin[random_use::at(field)])->isVisible();
    }
    bool check1_checked() const override
    {
        return static_cast<QCheckBox*>(m_window.control(tubaro::ControlId::Check1))->isChecked();
    }
    bool topmost() const override
    {
        return m_window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
    }
    int errors_reported() const override { return m_notes.count; }

private:
    QLineEdit* line_edit(tubaro::ControlId id) const { return static_cast<QLineEdit*>(m_window.control(id)); }
    std::string text_of(tubaro::ControlId id) const { return line_edit(id)->text().toStdString(); }

    MainWindow& m_window;
    NotesShown m_notes;
};

}  // namespace

class RandomUseWindowTest : public QObject {
    Q_OBJECT

private slots:
    void every_event_keeps_every_invariant()
    {
        MainWindow window(",");
        window.winId();
        window.load();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QtDriver driver(window);
        const auto summary = random_use::run(driver, ",", 20000, 20261207);
        QCOMPARE(QString::fromStdString(summary.failure), QString());
        QVERIFY(summary.recalculations_checked > 500);
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(RandomUseWindowTest)
#include "random_use_window_test.moc"
