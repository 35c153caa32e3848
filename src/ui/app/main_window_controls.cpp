#include "app/main_window_controls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <span>

#include "app/command_table.h"
#include "app/device_list_view.h"
#include "app/field_table.h"
#include "app/status_texts.h"
#include "controls/control_id.h"
#include "controls/ipv4_edit.h"
#include "controls/link_button.h"
#include "controls/status_text.h"

namespace norvane::ui {
namespace {

// One row of a group: the first control takes the label column when it has a side label; the others follow
// on the same line.
using LayoutRow = std::array<int, 3>;

struct Group {
    const char* title;
    int columns;
    std::span<const LayoutRow> rows;
};

constexpr LayoutRow kNetworkRows[] = {{1008}, {1009}, {1011},       {1010}, {1012},
                                      {1013}, {1019}, {1024, 1096}, {1095}};
constexpr LayoutRow kSerialRows[] = {{1014},       {1017}, {1016}, {1015}, {1018},
                                     {1290, 1081}, {1035}, {1044}, {1025}};
constexpr LayoutRow kTcpARows[] = {{1026}, {1027}, {1028},       {1029}, {1030, 1039},
                                   {1031}, {1034}, {1033, 1038}, {1066}};
constexpr LayoutRow kTcpBRows[] = {{1032}, {1050}, {1051},       {1055}, {1056, 1062},
                                   {1057}, {1059}, {1058, 1061}, {1067}};
constexpr LayoutRow kAdvancedRows[] = {
    {1053, 1073, 1227}, {1091, 1092, 1229}, {1046, 1074}, {1042, 1075}, {1076, 1077}, {1045, 1078},
    {1047, 1080},       {1083, 1085},       {1241, 1087}, {1242, 1088}, {1243, 1089}, {1043, 1086},
    {1225, 1082},       {1069, 1084},       {1289, 1288}, {1100},       {1090}};
constexpr LayoutRow kFourGRows[] = {{1299}, {1300}, {1301}, {1302},
                                    {1093}, {1094}, {1297}, {1298, 1303, 1304}};
constexpr LayoutRow kGpsRows[] = {{1306}, {1307}, {1308}, {1305}};

constexpr Group kNetwork{"网络设置", 1, kNetworkRows};
constexpr Group kSerial{"串口设置", 1, kSerialRows};
constexpr Group kTcpA{"TCP A", 1, kTcpARows};
constexpr Group kTcpB{"TCP B", 1, kTcpBRows};
constexpr Group kAdvanced{"高级功能", 2, kAdvancedRows};
constexpr Group kFourG{"4G设置", 1, kFourGRows};
constexpr Group kGps{"GPS", 1, kGpsRows};

// The controls that draw their text in green (red 0, green 0x80, blue 0).
constexpr int kGreenText[] = {1066, 1067, 1071, 1072, 1073, 1074, 1075, 1077, 1078, 1080, 1082, 1084, 1085,
                              1086, 1087, 1088, 1089, 1090, 1092, 1101, 1102, 1227, 1229, 1303, 1304, 1305};
// The drop-down lists that start with their first item; the others show nothing until a module is shown.
constexpr int kFirstItemAtStart[] = {1014, 1017, 1016};

constexpr int kPassword = 1024;
constexpr int kCardListWidth = 400;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString accessibleName(const char* label, const char* prefix) {
    return prefix ? utf8(prefix) + QLatin1Char(' ') + utf8(label) : utf8(label);
}

QComboBox* comboWith(std::span<const char* const> items, bool editable) {
    auto* combo = new QComboBox;
    combo->setEditable(editable);
    for (const char* item : items) combo->addItem(utf8(item));
    combo->setCurrentIndex(-1);
    // Long items need not widen the window: the list that drops down shows them whole.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 24);
    return combo;
}

QWidget* fieldControl(const FieldRow& row) {
    using enum FieldKind;
    switch (row.kind) {
        case Combo:
            return comboWith(row.items, false);
        case EditableDecimal:
            return comboWith(row.items, true);
        case Check:
            return new QCheckBox(utf8(row.label));
        case Ipv4:
            return new Ipv4Edit;
        case Mac: {
            // The module's identity is shown, never edited.
            auto* edit = new QLineEdit;
            edit->setReadOnly(true);
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00-00-00-00-00-00")) +
                                  16);
            return edit;
        }
        case Decimal:
        case Text:
        case Data:
            return new QLineEdit;
    }
    return nullptr;
}

QWidget* commandControl(const CommandRow& row) {
    switch (row.kind) {
        case CommandKind::Button:
            return new QPushButton(utf8(row.label));
        case CommandKind::Link:
            return new LinkButton(utf8(row.label));
        case CommandKind::Check:
            return new QCheckBox(utf8(row.label));
        case CommandKind::List:
            return new QComboBox;
    }
    return nullptr;
}

// A control made once, with what the group needs to place it.
struct Made {
    QWidget* widget = nullptr;
    QString sideLabel;  // empty: the control carries its own text, or goes without a label
};

Made make(int id) {
    Made made;
    if (const FieldRow* field = findField(id)) {
        made.widget = fieldControl(*field);
        made.widget->setAccessibleName(accessibleName(field->label, field->prefix));
        if (field->kind != FieldKind::Check) made.sideLabel = utf8(field->label);
    } else if (const StatusTextRow* status = findStatusText(id)) {
        auto* text = new StatusText(accessibleName(status->label, status->prefix), {});
        if (status->sideLabel) {
            text->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            text->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            made.sideLabel = utf8(status->label);
        }
        made.widget = text;
    } else if (const CommandRow* command = findCommand(id)) {
        made.widget = commandControl(*command);
        made.widget->setAccessibleName(accessibleName(command->label, command->prefix));
        if (command->hidden) made.widget->hide();
    }
    Q_ASSERT_X(made.widget, "make", "a layout names a control that no table holds");
    made.widget->setObjectName(controlName(id));
    return made;
}

void place(QLayout& layout, int id) {
    layout.addWidget(make(id).widget);
}

QGroupBox* group(const Group& spec) {
    auto* box = new QGroupBox(utf8(spec.title));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    grid->setHorizontalSpacing(6);
    constexpr int kGridColumns = 4;  // label, control, two more beside it
    const std::size_t perColumn = (spec.rows.size() + static_cast<std::size_t>(spec.columns) - 1) /
                                  static_cast<std::size_t>(spec.columns);
    for (std::size_t i = 0; i < spec.rows.size(); ++i) {
        const int line = static_cast<int>(i % perColumn);
        const int base = static_cast<int>(i / perColumn) * kGridColumns;
        const LayoutRow& row = spec.rows[i];
        const Made first = make(row[0]);
        int column = base;
        // A labelled control takes the label column and the next; a check box or a link the first only.
        if (!first.sideLabel.isEmpty()) {
            auto* label = new QLabel(first.sideLabel);
            label->setBuddy(first.widget);
            grid->addWidget(label, line, column++);
        }
        grid->addWidget(first.widget, line, column++);
        for (std::size_t k = 1; k < row.size() && row[k] != 0; ++k)
            grid->addWidget(make(row[k]).widget, line, column++);
    }
    return box;
}

QHBoxLayout* line(std::initializer_list<int> ids) {
    auto* layout = new QHBoxLayout;
    for (const int id : ids) place(*layout, id);
    layout->addStretch();
    return layout;
}

void colourGreen(QWidget& central) {
    const QColor green(0x00, 0x80, 0x00);
    for (const int id : kGreenText) {
        QWidget* widget = findControl(central, id);
        QPalette colours = widget->palette();
        for (const auto state : {QPalette::Active, QPalette::Inactive})
            for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
                colours.setColor(state, role, green);
        widget->setPalette(colours);
    }
}

void setStartingState(QWidget& central) {
    for (const int id : kFirstItemAtStart) findControl<QComboBox>(central, id)->setCurrentIndex(0);
    auto* password = findControl<QLineEdit>(central, kPassword);
    password->setEchoMode(QLineEdit::Password);
    password->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // '*'
    findControl<QComboBox>(central, kCardList)->view()->setMinimumWidth(kCardListWidth);
}

}  // namespace

void buildMainWindowControls(QWidget& central) {
    auto* left = new QVBoxLayout;
    auto* search = new QHBoxLayout;
    place(*search, 1020);
    search->addWidget(make(kCardList).widget, 1);
    left->addLayout(search);
    left->addLayout(line({1068, 1101, 1097, 1098, 1102}));

    auto* list = new DeviceListView;
    list->setObjectName(controlName(kDeviceList));
    list->setAccessibleName(QStringLiteral("设备列表"));
    left->addWidget(list, 1);

    auto* channels = new QHBoxLayout;
    channels->addWidget(group(kTcpA));
    channels->addWidget(group(kTcpB));
    left->addLayout(channels);
    left->addLayout(line({1037, 1021, 1022, 1023, 1040, 1054, 1041, 1293, 1294, 1295, 1296}));

    auto* status = new QHBoxLayout;
    auto* statusLine = new StatusText(QStringLiteral("状态"), QStringLiteral("状态:"));
    statusLine->setObjectName(controlName(kStatusLine));
    status->addWidget(statusLine, 1);
    auto* clock = new StatusText(QStringLiteral("设备时钟"), QStringLiteral("2015-05-23 12:05:30 星期"));
    clock->setObjectName(controlName(kClockText));
    status->addWidget(clock);
    place(*status, 1071);
    left->addLayout(status);

    auto* middle = new QVBoxLayout;
    middle->addWidget(group(kNetwork));
    middle->addWidget(group(kSerial));
    middle->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(group(kAdvanced));
    right->addWidget(group(kFourG));
    right->addWidget(group(kGps));
    right->addStretch();

    auto* columns = new QHBoxLayout(&central);
    columns->setContentsMargins(6, 6, 6, 6);
    columns->addLayout(left, 1);
    columns->addLayout(middle);
    columns->addLayout(right);

    colourGreen(central);
    setStartingState(central);
}

}  // namespace norvane::ui
