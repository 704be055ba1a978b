#include "main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <exception>
#include <limits>
#include <vector>

#include "font_fit.h"
#include "quantity.h"
#include "start_state.h"

namespace {

using tubaro::Quantity;

struct QuantityControls {
    Quantity quantity;
    ControlId field;
    ControlId spin;
    ControlId option;
    const char* spoken;  // the quantity's name inside a sentence
};

constexpr std::array<QuantityControls, 4> kQuantityControls{{
    {Quantity::Diameter, ControlId::Text_D, ControlId::UpDown_D, ControlId::Option_Diametro, "il diametro"},
    {Quantity::Power, ControlId::Text_P, ControlId::UpDown_P, ControlId::Option_Potenza, "la potenza"},
    {Quantity::Loss, ControlId::Text_Y, ControlId::UpDown_Y, ControlId::Option_Perdita, "la perdita di carico"},
    {Quantity::Length, ControlId::Text_L, ControlId::UpDown_L, ControlId::Option_Lunghezza,
     "la lunghezza equivalente"},
}};

std::size_t index_of(ControlId id)
{
    return static_cast<std::size_t>(id);
}

// Which of the window's six text boxes a layout row is, in the order the
// adapters are kept.
constexpr std::array<ControlId, 6> kTextBoxes{ControlId::Text_D, ControlId::Text_P,       ControlId::Text_Y,
                                              ControlId::Text_L, ControlId::Text_Pollici, ControlId::Text1};

std::size_t text_box_slot(ControlId id)
{
    return static_cast<std::size_t>(std::find(kTextBoxes.begin(), kTextBoxes.end(), id) - kTextBoxes.begin());
}

QLineEdit* make_line_edit(const ControlSpec& row, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::fromUtf8(row.text), parent);
    edit->setMaxLength(std::numeric_limits<int>::max());  // no limit but memory
    if (row.id == ControlId::Text1) {
        edit->setAlignment(Qt::AlignCenter);
        edit->setReadOnly(true);
        // The information line sits on the colour of a button face.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        edit->setPalette(palette);
        edit->setCursor(Qt::PointingHandCursor);
    } else {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
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
      m_edge([this](tubaro::ErrorKind kind) { report(kind); }),
      m_balloon(new ErrorBalloon(this))
{
    setObjectName(QStringLiteral("Form_Principale"));
    setWindowTitle(QStringLiteral("Tubaro GAS"));
    setFixedSize(client_size_in_pixels());

    build_controls(decimal_separator);
    m_window = std::make_unique<QtWindow>(this);
    m_controls = std::make_unique<tubaro::FormControls>(tubaro::FormControls{
        *m_text_boxes[0], *m_text_boxes[1], *m_text_boxes[2], *m_text_boxes[3], *m_text_boxes[4],
        *m_text_boxes[5], *m_options[0], *m_options[1], *m_options[2], *m_options[3],
        *static_cast<UpDown*>(control(ControlId::UpDown_D)), *static_cast<UpDown*>(control(ControlId::UpDown_P)),
        *static_cast<UpDown*>(control(ControlId::UpDown_Y)), *static_cast<UpDown*>(control(ControlId::UpDown_L)),
        *m_check, *m_window});
    m_logic = std::make_unique<tubaro::Form_Principale>(*m_controls, decimal_separator);
    m_logic->set_recalculated_listener([this] { m_balloon->dismiss(); });

    wire_events();
    set_tab_order();
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
    for (const ControlSpec& row : window_layout()) {
        QWidget* widget = nullptr;
        switch (row.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(QString::fromUtf8(row.text), this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            widget = label;
            break;
        }
        case ControlKind::TextBox: {
            QLineEdit* edit = make_line_edit(row, this);
            m_text_boxes[text_box_slot(row.id)] = std::make_unique<QtTextBox>(edit);
            widget = edit;
            break;
        }
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(this);
            m_option_group->addButton(option);
            widget = option;
            break;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(this);
            check->setChecked(tubaro::start_state::kCheck1Checked);
            m_check = std::make_unique<QtCheckBox>(check);
            widget = check;
            break;
        }
        case ControlKind::SpinControl:
            continue;
        }
        m_widgets[index_of(row.id)] = widget;
    }
    for (const QuantityControls& each : kQuantityControls) {
        const ControlSpec& row = window_layout()[index_of(each.spin)];
        auto* up_down = new UpDown(*m_text_boxes[text_box_slot(each.field)],
                                   tubaro::limits_of(each.quantity).spin_upper, decimal_separator,
                                   QString::fromUtf8(each.spoken), this);
        up_down->setVisible(each.quantity != tubaro::start_state::kMode);
        m_widgets[index_of(row.id)] = up_down;
        auto* option = static_cast<QRadioButton*>(control(each.option));
        option->setChecked(each.quantity == tubaro::start_state::kMode);
        m_options[static_cast<std::size_t>(&each - kQuantityControls.data())] = std::make_unique<QtOptionButton>(option);
    }

    for (const ControlSpec& row : window_layout()) {
        QWidget* widget = control(row.id);
        widget->setObjectName(QString::fromLatin1(row.name));
        widget->setGeometry(to_pixels(row));
        widget->setAccessibleName(QString::fromUtf8(row.description));
        if (row.kind != ControlKind::Label)
            widget->setToolTip(QString::fromUtf8(row.description));
    }
    // Each label names the field of its row for assistive technology.
    static_cast<QLabel*>(control(ControlId::Label3))->setBuddy(control(ControlId::Text_D));
    static_cast<QLabel*>(control(ControlId::G))->setBuddy(control(ControlId::Text_P));
    static_cast<QLabel*>(control(ControlId::Label4))->setBuddy(control(ControlId::Text_Y));
    static_cast<QLabel*>(control(ControlId::Label5))->setBuddy(control(ControlId::Text_L));
}

template <typename Handler>
void MainWindow::at_edge(QWidget* source, Handler&& handler)
{
    if (m_error_source) {
        // Nested in another handler (a change raised by an assignment): its
        // error belongs to that handler, so let it travel on.
        m_edge.run(std::forward<Handler>(handler));
        return;
    }
    m_error_source = source;
    try {
        m_edge.run(std::forward<Handler>(handler));
    } catch (const std::exception&) {
        // Not one of the four kinds (out of memory, say): still never let it
        // cross Qt's event loop.
        ++m_reports;
        m_balloon->show_at(source, QStringLiteral("Errore interno"));
    }
    m_error_source = nullptr;
}

void MainWindow::report(tubaro::ErrorKind kind)
{
    m_last_error = kind;
    ++m_reports;
    const std::string_view name = tubaro::error_name(kind);
    m_balloon->show_at(m_error_source, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void MainWindow::wire_events()
{
    QtTextBox& text_d = *m_text_boxes[text_box_slot(ControlId::Text_D)];
    text_d.on_change = [this, &text_d] { at_edge(text_d.widget(), [this] { m_logic->diameter_change(); }); };

    for (const QuantityControls& each : kQuantityControls) {
        QtTextBox& field = *m_text_boxes[text_box_slot(each.field)];
        const Quantity quantity = each.quantity;
        field.on_key_release = [this, &field, quantity] {
            at_edge(field.widget(), [this, quantity] { m_logic->key_release(quantity); });
        };
        auto* up_down = static_cast<UpDown*>(control(each.spin));
        up_down->on_notification = [this, &field, quantity] {
            at_edge(field.widget(), [this, quantity] { m_logic->spin_notification(quantity); });
        };
        auto* option = static_cast<QRadioButton*>(control(each.option));
        connect(option, &QRadioButton::clicked, this, [this, option, quantity] {
            at_edge(option, [this, quantity] { m_logic->option_click(quantity); });
        });
    }

    auto* check = static_cast<QCheckBox*>(control(ControlId::Check1));
    connect(check, &QCheckBox::clicked, this, [this, check] { at_edge(check, [this] { m_logic->stay_on_top_click(); }); });

    QtTextBox& text1 = *m_text_boxes[text_box_slot(ControlId::Text1)];
    text1.on_click = [this, &text1] { at_edge(text1.widget(), [this] { m_logic->information_click(); }); };
}

void MainWindow::set_tab_order()
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& row : window_layout())
        if (row.kind != ControlKind::Label)
            order.push_back(&row);
    std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->tab_index < b->tab_index; });
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(control(order[i - 1]->id), control(order[i]->id));
}

void MainWindow::fit_font()
{
    std::vector<TextRoom> texts;
    for (const ControlSpec& row : window_layout()) {
        if (row.kind == ControlKind::Label)
            texts.push_back({QString::fromUtf8(row.text), control(row.id)->contentsRect().size()});
    }
    for (ControlId id : kTextBoxes) {
        const auto* edit = static_cast<QLineEdit*>(control(id));
        texts.push_back({edit->text(), text_room(edit)});
    }
    // The information line shows two more texts after a click.
    const QSize info_room = text_room(static_cast<QLineEdit*>(control(ControlId::Text1)));
    for (std::string_view text : {tubaro::Form_Principale::kWebAddress, tubaro::Form_Principale::kVersionLine})
        texts.push_back({QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), info_room});

    setFont(largest_fitting_font(font(), texts));
    m_balloon->setFont(font());  // a window of its own does not inherit it
}

void MainWindow::load()
{
    at_edge(this, [this] { m_logic->load(); });
}
