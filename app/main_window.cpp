#include "main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <limits>
#include <vector>

#include "font_fit.h"
#include "platform_choice.h"
#include "qt_keys.h"
#include "quantity.h"
#include "stay_on_top.h"
#include "text_fit.h"
#include "twips.h"
#include "utf8_text.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;

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

}  // namespace

MainWindow::MainWindow(const std::string& decimal_separator, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_option_group(new QButtonGroup(this)),
      m_can_stay_on_top(platform_keeps_windows_on_top(QGuiApplication::platformName().toStdString())),
      m_form(*this, decimal_separator)
{
    setObjectName(from_utf8(tubaro::kWindowName));
    setWindowTitle(from_utf8(tubaro::kWindowCaption));
    setFixedSize(client_size_in_logical_pixels());
    fit_font();
    m_form.shown();
}

MainWindow::~MainWindow() = default;

void MainWindow::place(QWidget* widget, const ControlSpec& row)
{
    m_widgets[index(row.id)] = widget;
    widget->setObjectName(from_utf8(row.name));
    widget->setGeometry(logical_pixels(row));
    widget->setAccessibleName(from_utf8(row.description));
    widget->setAccessibleDescription(from_utf8(row.why_disabled));
    widget->setToolTip(from_utf8(tubaro::tooltip_of(row)));
    widget->setEnabled(!row.has(tubaro::kDisabledAtStart));
    widget->installEventFilter(this);
}

void MainWindow::make_label(const ControlSpec& row)
{
    auto* label = new QLabel(from_utf8(row.text), this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place(label, row);
}

tubaro::TextBox& MainWindow::make_text_box(const ControlSpec& row)
{
    QLineEdit* edit = make_line_edit(row, this);
    place(edit, row);
    // Each label names the field of its row for assistive technology; the
    // rows put the label first.
    if (const auto quantity = tubaro::quantity_of(row.id))
        static_cast<QLabel*>(control(tubaro::kQuantityControls[*quantity].label))->setBuddy(edit);
    return *(m_text_boxes[index(row.id)] = std::make_unique<QtTextBox>(edit, row.id, m_form));
}

tubaro::OptionButton& MainWindow::make_option_button(const ControlSpec& row)
{
    auto* option = new QRadioButton(this);
    m_option_group->addButton(option);
    option->setChecked(row.has(tubaro::kSetAtStart));
    connect(option, &QRadioButton::clicked, this, [this, id = row.id] { m_form.clicked(id, 1); });
    place(option, row);
    return *(m_options[index(row.id)] = std::make_unique<QtOptionButton>(option));
}

tubaro::CheckBox& MainWindow::make_check_box(const ControlSpec& row)
{
    auto* check = new QCheckBox(this);
    check->setChecked(row.has(tubaro::kSetAtStart));
    connect(check, &QCheckBox::clicked, this, [this, id = row.id] { m_form.clicked(id, 1); });
    place(check, row);
    return *(m_check = std::make_unique<QtCheckBox>(check));
}

tubaro::SpinControl& MainWindow::make_spin_control(const ControlSpec& row)
{
    const tubaro::QuantityControls& names = tubaro::kQuantityControls[*tubaro::quantity_of(row.id)];
    auto* up_down = new UpDown(row.id, m_form, from_utf8(names.step_up_name), from_utf8(names.step_down_name), this);
    up_down->setVisible(!row.has(tubaro::kHiddenAtStart));
    place(up_down, row);
    return *up_down;
}

tubaro::WindowTraits MainWindow::traits() const
{
    return {m_can_stay_on_top ? tubaro::StayOnTop::Always : tubaro::StayOnTop::NotOnWayland, true};
}

void MainWindow::set_topmost(bool topmost)
{
    set_stay_on_top(this, topmost);
}

std::optional<ControlId> MainWindow::focused() const
{
    // The focus may sit in a spin control's arrow or elsewhere inside a
    // control: the control is the child of the window that holds it.
    QWidget* focus = focusWidget();
    while (focus && focus->parentWidget() != this)
        focus = focus->parentWidget();
    return control_id(focus);
}

void MainWindow::focus(ControlId id, tubaro::FocusCause cause)
{
    control(id)->setFocus(focus_reason(cause));
}

void MainWindow::show_error(const tubaro::ErrorReport& report)
{
    ++m_reports;
    if (!m_balloon) {
        // Made at the first error, not before the first paint, which needs
        // no note.
        m_balloon = new ErrorBalloon(this);
        m_balloon->setFont(font());  // a window of its own does not inherit it
    }
    m_balloon->show_at(report.source ? control(*report.source) : this, from_utf8(report.message));
}

void MainWindow::hide_error()
{
    if (m_balloon)
        m_balloon->dismiss();
}

std::optional<ControlId> MainWindow::control_id(const QObject* widget) const
{
    for (const ControlSpec& row : tubaro::kWindowControls)
        if (control(row.id) == widget)
            return row.id;
    return std::nullopt;
}

bool MainWindow::focusNextPrevChild(bool next)
{
    return m_form.tab(focused(), next ? +1 : -1);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto id = control_id(watched);
    return id && m_form.key_pressed(*id, key_chord(*key), key->isAutoRepeat());
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

void MainWindow::load()
{
    m_form.loaded();
}
