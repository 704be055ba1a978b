#include "qt/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

#include <limits>
#include <type_traits>
#include <vector>

#include "qt/font_fit.h"
#include "qt/platform_choice.h"
#include "qt/qt_keys.h"
#include "rules/quantity.h"
#include "qt/stay_on_top.h"
#include "form/text_fit.h"
#include "qt/twips.h"
#include "qt/up_down.h"
#include "qt/utf8_text.h"
#include "form/window_build.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;
using tubaro::FormEvent;
using Kind = tubaro::FormEvent::Kind;

// The arrow a tool button of a spin control is, by the name it is made with.
const char* const kPartProperty = "tubaroPart";

tubaro::WindowTraits traits_here()
{
    const bool on_top = platform_keeps_windows_on_top(QGuiApplication::platformName().toStdString());
    return {on_top ? tubaro::StayOnTop::Always : tubaro::StayOnTop::NotOnWayland, true};
}

QLineEdit* make_line_edit(const ControlSpec& row, QWidget* parent)
{
    auto* edit = new QLineEdit(from_utf8(row.text), parent);
    edit->setMaxLength(std::numeric_limits<int>::max());  // no limit but memory
    if (row.has(tubaro::kCentred))
        edit->setAlignment(Qt::AlignCenter);
    else if (row.has(tubaro::kRightAligned))
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setReadOnly(row.has(tubaro::kReadOnly));
    if (row.has(tubaro::kButtonFaceBackground)) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        edit->setPalette(palette);
    }
    if (row.id == ControlId::Text1)
        edit->setCursor(Qt::PointingHandCursor);  // it answers a click
    return edit;
}

// The width and height a line edit leaves to its text.
QSize text_room(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    // QLineEdit keeps a further two pixels each side and one above and below.
    return QSize(contents.width() - margins.left() - margins.right() - 4,
                 contents.height() - margins.top() - margins.bottom() - 2);
}

Qt::FocusReason focus_reason(tubaro::FocusCause cause)
{
    switch (cause) {
    case tubaro::FocusCause::Tab: return Qt::TabFocusReason;
    case tubaro::FocusCause::BackTab: return Qt::BacktabFocusReason;
    default: return Qt::OtherFocusReason;
    }
}

// Qt says why a focus came; the form decides what that means.
tubaro::FocusCause focus_cause(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason: return tubaro::FocusCause::Tab;
    case Qt::BacktabFocusReason: return tubaro::FocusCause::BackTab;
    case Qt::ActiveWindowFocusReason: return tubaro::FocusCause::Activation;
    case Qt::MouseFocusReason: return tubaro::FocusCause::Pointer;
    default: return tubaro::FocusCause::Program;
    }
}

FormEvent event_of(Kind kind, std::optional<ControlId> control, tubaro::Part part = tubaro::Part::Whole)
{
    FormEvent event;
    event.kind = kind;
    event.control = control;
    event.part = part;
    return event;
}

}  // namespace

MainWindow::MainWindow(const std::string& decimal_separator, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_form(traits_here(), decimal_separator)
{
    setObjectName(from_utf8(tubaro::kWindowName));
    setWindowTitle(from_utf8(tubaro::kWindowCaption));
    setFixedSize(client_size_in_logical_pixels());
    make_controls(traits_here());
    fit_font();
    for (std::size_t i = 0; i < m_timers.size(); ++i) {
        m_timers[i].setSingleShot(true);
        connect(&m_timers[i], &QTimer::timeout, this, [this, i] {
            FormEvent fired = event_of(Kind::TimerFired, std::nullopt);
            fired.timer = static_cast<tubaro::Timer>(i);
            tell(fired);
        });
    }
}

void MainWindow::make_controls(const tubaro::WindowTraits& traits)
{
    // As a form file's setupUi: each control from its row, at its place.
    for (const ControlSpec& row : tubaro::shown_rows(traits)) {
        QWidget* widget = nullptr;
        switch (row.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(from_utf8(row.text), this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            widget = label;
            break;
        }
        case ControlKind::TextBox: {
            QLineEdit* edit = make_line_edit(row, this);
            // Each label names the field of its row for assistive
            // technology; the rows put the label first.
            if (const auto quantity = tubaro::quantity_of(row.id))
                static_cast<QLabel*>(control(tubaro::kQuantityControls[*quantity].label))->setBuddy(edit);
            // A user's edit, never the program's setText.
            connect(edit, &QLineEdit::textEdited, this, [this, id = row.id] { tell(event_of(Kind::TextEdited, id)); });
            widget = edit;
            break;
        }
        case ControlKind::SpinControl: {
            const tubaro::QuantityControls& names = tubaro::kQuantityControls[*tubaro::quantity_of(row.id)];
            auto* up_down = new UpDown(from_utf8(names.step_up_name), from_utf8(names.step_down_name), this);
            for (auto [arrow, part] : {std::pair{up_down->up_button(), tubaro::Part::UpArrow},
                                       std::pair{up_down->down_button(), tubaro::Part::DownArrow}}) {
                arrow->setProperty(kPartProperty, static_cast<int>(part));
                // Pressed and released: by a pointer, and by assistive
                // technology's press too. The form steps and repeats.
                connect(arrow, &QAbstractButton::pressed, this,
                        [this, id = row.id, part] { tell(event_of(Kind::PointerDown, id, part)); });
                connect(arrow, &QAbstractButton::released, this, [this, id = row.id, part] {
                    FormEvent up = event_of(Kind::PointerUp, id, part);
                    up.inside = true;
                    tell(up);
                });
            }
            up_down->setVisible(!row.has(tubaro::kHiddenAtStart));
            widget = up_down;
            break;
        }
        case ControlKind::OptionButton:
        case ControlKind::CheckBox: {
            QAbstractButton* button = row.kind == ControlKind::OptionButton
                                          ? static_cast<QAbstractButton*>(new QRadioButton(this))
                                          : new QCheckBox(this);
            button->setChecked(row.has(tubaro::kSetAtStart));
            connect(button, &QAbstractButton::clicked, this, [this, id = row.id] {
                FormEvent click = event_of(Kind::Click, id);
                click.clicks = 1;
                tell(click);
            });
            widget = button;
            break;
        }
        }
        widget->setObjectName(from_utf8(row.name));
        widget->setGeometry(logical_pixels(row));
        widget->setAccessibleName(from_utf8(row.description));
        widget->setAccessibleDescription(from_utf8(row.why_disabled));
        widget->setToolTip(from_utf8(tubaro::tooltip_of(row)));
        widget->setEnabled(!row.has(tubaro::kDisabledAtStart));
        widget->installEventFilter(this);
    }
}

QWidget* MainWindow::control(ControlId id) const
{
    return findChild<QWidget*>(from_utf8(tubaro::control_spec(id).name), Qt::FindDirectChildrenOnly);
}

std::optional<ControlId> MainWindow::control_id(const QObject* widget) const
{
    // A control's widget is a child of the window; its arrows, of the
    // control.
    while (widget && widget->parent() != this)
        widget = widget->parent();
    if (!widget)
        return std::nullopt;
    return tubaro::control_named(widget->objectName().toStdString());
}

tubaro::WindowState MainWindow::state() const
{
    tubaro::WindowState state;
    for (const ControlSpec& row : tubaro::kWindowControls) {
        const QWidget* widget = control(row.id);
        tubaro::ControlState& each = state[row.id];
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
            each.text = edit->text().toStdString();
        if (const auto* check = qobject_cast<const QCheckBox*>(widget))
            each.value = check->checkState() == Qt::Checked ? 1 : check->checkState() == Qt::PartiallyChecked ? 2 : 0;
        else if (const auto* option = qobject_cast<const QRadioButton*>(widget))
            each.value = option->isChecked() ? 1 : 0;
        // As the window's data means it, whether or not the window is on
        // screen yet.
        each.visible = !widget->isHidden();
        each.enabled = widget->isEnabled();
    }
    state.focused = control_id(focusWidget());
    return state;
}

bool MainWindow::tell(FormEvent event)
{
    const tubaro::FormReply reply = m_form.handle(event, state());
    m_applying = true;
    for (const tubaro::Effect& effect : reply.effects)
        apply(effect);
    m_applying = false;
    return reply.taken;
}

void MainWindow::apply(const tubaro::Effect& effect)
{
    std::visit(
        [this](const auto& each) {
            using Each = std::decay_t<decltype(each)>;
            if constexpr (std::is_same_v<Each, tubaro::SetText>) {
                static_cast<QLineEdit*>(control(each.control))->setText(from_utf8(each.text));
            } else if constexpr (std::is_same_v<Each, tubaro::SetValue>) {
                if (auto* check = qobject_cast<QCheckBox*>(control(each.control)))
                    check->setCheckState(each.value == 0   ? Qt::Unchecked
                                         : each.value == 2 ? Qt::PartiallyChecked
                                                           : Qt::Checked);
                else
                    static_cast<QAbstractButton*>(control(each.control))->setChecked(each.value != 0);
            } else if constexpr (std::is_same_v<Each, tubaro::SetVisible>) {
                control(each.control)->setVisible(each.visible);
            } else if constexpr (std::is_same_v<Each, tubaro::Focus>) {
                control(each.control)->setFocus(focus_reason(each.cause));
            } else if constexpr (std::is_same_v<Each, tubaro::SelectAll>) {
                static_cast<QLineEdit*>(control(each.control))->selectAll();
            } else if constexpr (std::is_same_v<Each, tubaro::ShowNote>) {
                if (!m_balloon) {
                    // Made at the first error, not before the first paint,
                    // which needs no note.
                    m_balloon = new ErrorBalloon(this);
                    m_balloon->setFont(font());  // a window of its own does not inherit it
                }
                m_balloon->show_at(each.beside ? control(*each.beside) : this, from_utf8(each.message));
            } else if constexpr (std::is_same_v<Each, tubaro::HideNote>) {
                if (m_balloon)
                    m_balloon->dismiss();
            } else if constexpr (std::is_same_v<Each, tubaro::StartTimer>) {
                m_timers[static_cast<std::size_t>(each.timer)].start(each.after);
            } else if constexpr (std::is_same_v<Each, tubaro::StopTimer>) {
                m_timers[static_cast<std::size_t>(each.timer)].stop();
            } else if constexpr (std::is_same_v<Each, tubaro::KeepOnTop>) {
                set_stay_on_top(this, each.on);
            }
            // SizingChanged: a desktop window keeps none.
        },
        effect);
}

void MainWindow::load()
{
    tell(event_of(Kind::Loaded, std::nullopt));
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!std::exchange(m_shown, true))
        tell(event_of(Kind::Shown, std::nullopt));
}

bool MainWindow::focusNextPrevChild(bool next)
{
    FormEvent tab = event_of(Kind::KeyDown, control_id(focusWidget()));
    tab.key = {tubaro::Key::Tab, Qt::Key_Tab, next ? 0u : static_cast<unsigned>(tubaro::kShift)};
    return tell(tab);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const auto id = control_id(watched);
    if (!id || m_applying)
        return false;
    const bool in_edit = qobject_cast<QLineEdit*>(watched) != nullptr;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        FormEvent down = event_of(Kind::KeyDown, id);
        down.key = key_chord(*key);
        down.repeat = key->isAutoRepeat();
        return tell(down);
    }
    case QEvent::KeyRelease: {
        if (!in_edit)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        FormEvent up = event_of(Kind::KeyUp, id);
        up.key = key_chord(*key);
        up.repeat = key->isAutoRepeat();
        tell(up);
        return false;
    }
    case QEvent::FocusIn: {
        if (watched != control(*id))
            return false;
        FormEvent in = event_of(Kind::FocusIn, id);
        in.cause = focus_cause(static_cast<QFocusEvent*>(event)->reason());
        tell(in);
        return false;
    }
    case QEvent::FocusOut:
        if (watched == control(*id))
            tell(event_of(Kind::FocusOut, id));
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!in_edit || mouse->button() != Qt::LeftButton)
            return false;
        FormEvent down = event_of(Kind::PointerDown, id);
        down.clicks = event->type() == QEvent::MouseButtonDblClick ? 2 : 1;
        tell(down);
        return false;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!in_edit || mouse->button() != Qt::LeftButton)
            return false;
        FormEvent up = event_of(Kind::PointerUp, id);
        up.inside = static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
        tell(up);
        return false;
    }
    default: return false;
    }
}

void MainWindow::fit_font()
{
    std::vector<TextRoom> texts;
    for (const tubaro::TextToFit& each : tubaro::texts_to_fit()) {
        QWidget* widget = control(each.control);
        const QSize room = tubaro::control_spec(each.control).kind == ControlKind::Label
                               ? widget->contentsRect().size()
                               : text_room(static_cast<QLineEdit*>(widget));
        texts.push_back({from_utf8(each.text), room});
    }
    setFont(largest_fitting_font(font(), texts));
}
