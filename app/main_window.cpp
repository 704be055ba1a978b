#include "main_window.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <limits>
#include <vector>

#include "font_fit.h"
#include "navigation_key.h"
#include "platform_choice.h"
#include "utf8_text.h"
#include "quantity.h"
#include "stay_on_top.h"
#include "text_fit.h"
#include "twips.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;
using tubaro::Quantity;

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

}  // namespace

MainWindow::MainWindow(const std::string& decimal_separator, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_form(decimal_separator),
      m_can_stay_on_top(platform_keeps_windows_on_top(QGuiApplication::platformName().toStdString()))
{
    setObjectName(from_utf8(tubaro::kWindowName));
    setWindowTitle(from_utf8(tubaro::kWindowCaption));
    setFixedSize(client_size_in_logical_pixels());

    build_controls();
    if (!m_can_stay_on_top)
        explain_no_stay_on_top();
    bind_form();
    fit_font();
    control(m_form.first_focus())->setFocus();
}

// The adapters go before the widgets they wrap, which Qt deletes last.
MainWindow::~MainWindow() = default;

void MainWindow::build_controls()
{
    m_option_group = new QButtonGroup(this);
    m_option_group->setExclusive(true);

    for (const ControlSpec& row : tubaro::kWindowControls) {
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
            m_text_boxes[index(row.id)] = std::make_unique<QtTextBox>(edit, row.id, m_form);
            widget = edit;
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(this);
            m_option_group->addButton(option);
            option->setChecked(row.has(tubaro::kSetAtStart));
            m_options[index(row.id)] = std::make_unique<QtOptionButton>(option);
            connect(option, &QRadioButton::clicked, this, [this, id = row.id] { m_form.clicked(id, 1); });
            widget = option;
            break;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(this);
            check->setChecked(row.has(tubaro::kSetAtStart));
            m_check = std::make_unique<QtCheckBox>(check);
            connect(check, &QCheckBox::clicked, this, [this, id = row.id] { m_form.clicked(id, 1); });
            widget = check;
            break;
        }
        case ControlKind::SpinControl: {
            const tubaro::QuantityControls& names = tubaro::kQuantityControls[*tubaro::quantity_of(row.id)];
            auto* up_down =
                new UpDown(row.id, m_form, from_utf8(names.step_up_name), from_utf8(names.step_down_name), this);
            up_down->setVisible(!row.has(tubaro::kHiddenAtStart));
            widget = up_down;
            break;
        }
        }
        m_widgets[index(row.id)] = widget;
    }

    for (const ControlSpec& row : tubaro::kWindowControls) {
        QWidget* widget = control(row.id);
        widget->setObjectName(from_utf8(row.name));
        widget->setGeometry(logical_pixels(row));
        widget->setAccessibleName(from_utf8(row.description));
        if (row.kind == ControlKind::Label) {
            // Each label names the field of its row for assistive technology.
            static_cast<QLabel*>(widget)->setBuddy(control(tubaro::kQuantityControls[*tubaro::quantity_of(row.id)].field));
        } else {
            widget->setToolTip(from_utf8(row.description));
            widget->installEventFilter(this);
        }
    }
}

void MainWindow::explain_no_stay_on_top()
{
    // A box ticked for something the window cannot do would be a failure
    // reported as success.
    auto* check = static_cast<QCheckBox*>(control(ControlId::Check1));
    check->setChecked(false);
    check->setEnabled(false);
    const QString why = from_utf8(tubaro::kStayOnTopUnavailableOnWayland);
    check->setToolTip(why);
    check->setAccessibleDescription(why);
}

void MainWindow::bind_form()
{
    tubaro::FormControls controls{{}, {}, {}, m_text_boxes[index(ControlId::Text_Pollici)].get(),
                                  m_text_boxes[index(ControlId::Text1)].get(), m_check.get(), this};
    for (Quantity quantity : tubaro::kQuantities) {
        const tubaro::QuantityControls& row = tubaro::kQuantityControls[quantity];
        controls.fields[quantity] = m_text_boxes[index(row.field)].get();
        controls.options[quantity] = m_options[index(row.option)].get();
        controls.spins[quantity] = static_cast<UpDown*>(control(row.spin));
    }
    m_form.bind(controls);
}

void MainWindow::set_topmost(bool topmost)
{
    if (m_can_stay_on_top)
        set_stay_on_top(this, topmost);
}

void MainWindow::focus(ControlId id)
{
    control(id)->setFocus(Qt::OtherFocusReason);
}

void MainWindow::show_error(std::optional<ControlId> source, std::string_view message)
{
    ++m_reports;
    if (!m_balloon) {
        // Made at the first error, not before the first paint, which needs
        // no note.
        m_balloon = new ErrorBalloon(this);
        m_balloon->setFont(font());  // a window of its own does not inherit it
    }
    m_balloon->show_at(source ? control(*source) : this, from_utf8(message));
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
    // The focus may sit in a spin control's arrow or elsewhere inside a
    // control: the control is the child of the window that holds it.
    QWidget* focus = focusWidget();
    while (focus && focus->parentWidget() != this)
        focus = focus->parentWidget();
    const tubaro::TabMove move = m_form.tab(control_id(focus), next ? +1 : -1);
    control(move.to)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key_event = static_cast<QKeyEvent*>(event);
    const auto key = navigation_key(*key_event);
    const auto id = control_id(watched);
    return key && id && m_form.navigation_key(*id, *key, key_event->isAutoRepeat());
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
