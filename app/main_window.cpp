#include "main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <limits>
#include <vector>

#include "font_fit.h"
#include "keyboard.h"
#include "navigation_key.h"
#include "quantity.h"
#include "twips.h"

namespace {

using tubaro::ControlId;
using tubaro::ControlKind;
using tubaro::ControlSpec;
using tubaro::Quantity;

QString from_utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

}  // namespace

MainWindow::MainWindow(const std::string& decimal_separator, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_edge([this](const tubaro::EventEdge::Report& each) { report(each); })
{
    setObjectName(from_utf8(tubaro::kWindowName));
    setWindowTitle(from_utf8(tubaro::kWindowCaption));
    setFixedSize(client_size_in_logical_pixels());

    build_controls(decimal_separator);
    m_window = std::make_unique<QtWindow>(this);
    tubaro::FormControls controls{{}, {}, {}, m_text_boxes[index(ControlId::Text_Pollici)].get(),
                                  m_text_boxes[index(ControlId::Text1)].get(), m_check.get(), m_window.get()};
    for (Quantity quantity : tubaro::kQuantities) {
        const tubaro::QuantityControls& row = tubaro::kQuantityControls[quantity];
        controls.fields[quantity] = m_text_boxes[index(row.field)].get();
        controls.options[quantity] = m_options[index(row.option)].get();
        controls.spins[quantity] = static_cast<UpDown*>(control(row.spin));
    }
    m_logic = std::make_unique<tubaro::Form_Principale>(controls, decimal_separator);
    m_logic->set_recalculated_listener([this] {
        if (m_balloon)
            m_balloon->dismiss();
    });

    wire_events();
    fit_font();
    control(ControlId::Text_Y)->setFocus();
}

// The adapters go before the widgets they wrap, which Qt deletes last.
MainWindow::~MainWindow() = default;

void MainWindow::build_controls(const std::string& decimal_separator)
{
    m_option_group = new QButtonGroup(this);
    m_option_group->setExclusive(true);

    // Everything but the spin controls, which need their field first.
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
            m_text_boxes[index(row.id)] = std::make_unique<QtTextBox>(edit, m_edge);
            widget = edit;
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(this);
            m_option_group->addButton(option);
            option->setChecked(row.has(tubaro::kSetAtStart));
            m_options[index(row.id)] = std::make_unique<QtOptionButton>(option);
            widget = option;
            break;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(this);
            check->setChecked(row.has(tubaro::kSetAtStart));
            m_check = std::make_unique<QtCheckBox>(check);
            widget = check;
            break;
        }
        case ControlKind::SpinControl:
            continue;
        }
        m_widgets[index(row.id)] = widget;
    }
    for (Quantity quantity : tubaro::kQuantities) {
        const tubaro::QuantityControls& row = tubaro::kQuantityControls[quantity];
        auto* up_down = new UpDown(*m_text_boxes[index(row.field)], row.spin_upper, decimal_separator,
                                   from_utf8(row.step_up_name), from_utf8(row.step_down_name), this);
        up_down->setVisible(!tubaro::control_spec(row.spin).has(tubaro::kHiddenAtStart));
        m_widgets[index(row.spin)] = up_down;
        // Each label names the field of its row for assistive technology.
        static_cast<QLabel*>(control(row.label))->setBuddy(control(row.field));
    }

    for (const ControlSpec& row : tubaro::kWindowControls) {
        QWidget* widget = control(row.id);
        widget->setObjectName(from_utf8(row.name));
        widget->setGeometry(logical_pixels(row));
        widget->setAccessibleName(from_utf8(row.description));
        if (row.kind != ControlKind::Label)
            widget->setToolTip(from_utf8(row.description));
    }
}

void MainWindow::report(const tubaro::EventEdge::Report& report)
{
    ++m_reports;
    m_last_error = report.kind;
    const QString message =
        report.kind ? from_utf8(tubaro::error_name(*report.kind)) : QStringLiteral("Errore interno");
    if (!m_balloon) {
        // Made at the first error, not before the first paint, which needs
        // no note.
        m_balloon = new ErrorBalloon(this);
        m_balloon->setFont(font());  // a window of its own does not inherit it
    }
    m_balloon->show_at(report.source ? control(*report.source) : this, message);
}

void MainWindow::wire_events()
{
    QtTextBox& text_d = *m_text_boxes[index(ControlId::Text_D)];
    text_d.on_change = [this] { m_edge.run(ControlId::Text_D, [this] { m_logic->diameter_change(); }); };

    for (Quantity quantity : tubaro::kQuantities) {
        const tubaro::QuantityControls& row = tubaro::kQuantityControls[quantity];
        const ControlId field = row.field;
        m_text_boxes[index(field)]->on_key_release = [this, field, quantity] {
            m_edge.run(field, [this, quantity] { m_logic->key_release(quantity); });
        };
        auto* up_down = static_cast<UpDown*>(control(row.spin));
        // A step's error is reported beside the field it wrote.
        up_down->on_step = [this, up_down, field](int direction) {
            m_edge.run(field, [up_down, direction] { up_down->step(direction); });
        };
        up_down->on_notification = [this, quantity] { m_logic->spin_notification(quantity); };
        const ControlId option = row.option;
        control(option)->installEventFilter(this);
        connect(static_cast<QRadioButton*>(control(option)), &QRadioButton::clicked, this, [this, option, quantity] {
            m_edge.run(option, [this, quantity] { m_logic->option_click(quantity); });
        });
    }

    connect(static_cast<QCheckBox*>(control(ControlId::Check1)), &QCheckBox::clicked, this,
            [this] { m_edge.run(ControlId::Check1, [this] { m_logic->stay_on_top_click(); }); });

    control(ControlId::Text1)->installEventFilter(this);
    m_text_boxes[index(ControlId::Text1)]->on_click = [this] {
        m_edge.run(ControlId::Text1, [this] { m_logic->information_click(); });
    };
}

std::optional<ControlId> MainWindow::control_id(const QWidget* widget) const
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
    const ControlId target = m_logic->next_tab_stop(control_id(focus), next ? +1 : -1);
    control(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void MainWindow::choose_option(Quantity target)
{
    auto* option = static_cast<QRadioButton*>(control(tubaro::kQuantityControls[target].option));
    option->setChecked(true);  // the group clears the others
    option->setFocus(Qt::OtherFocusReason);
    m_edge.run(tubaro::kQuantityControls[target].option, [this, target] { m_logic->option_click(target); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key_event = static_cast<QKeyEvent*>(event);
    const auto key = navigation_key(*key_event);
    if (!key)
        return false;
    if (watched == control(ControlId::Text1)) {
        // Each press is one, as each click is; a held key is not a stream.
        if (!tubaro::presses_information_field(*key))
            return false;
        if (!key_event->isAutoRepeat())
            m_edge.run(ControlId::Text1, [this] { m_logic->information_click(); });
        return true;
    }
    // One of the option buttons: Qt's own arrow keys would move by geometry
    // and stop at the ends; the group moves by the form's order and wraps.
    if (const auto target = tubaro::option_after(m_logic->mode(), *key)) {
        choose_option(*target);
        return true;
    }
    return false;
}

void MainWindow::fit_font()
{
    std::vector<TextRoom> texts;
    for (const ControlSpec& row : tubaro::kWindowControls) {
        if (row.kind == ControlKind::Label)
            texts.push_back({from_utf8(row.text), control(row.id)->contentsRect().size()});
        else if (row.kind == ControlKind::TextBox)
            texts.push_back({from_utf8(row.text), text_room(static_cast<QLineEdit*>(control(row.id)))});
    }
    // The information line shows two more texts after a click.
    const QSize info_room = text_room(static_cast<QLineEdit*>(control(ControlId::Text1)));
    for (std::string_view text : {tubaro::Form_Principale::kWebAddress, tubaro::Form_Principale::kVersionLine})
        texts.push_back({from_utf8(text), info_room});

    setFont(largest_fitting_font(font(), texts));
}

void MainWindow::load()
{
    m_edge.run(std::nullopt, [this] { m_logic->load(); });
}
