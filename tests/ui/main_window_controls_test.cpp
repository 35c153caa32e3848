// The main window's controls as built: identifiers, labels, accessible names, fixed lists, colours.
#include "app/main_window_controls.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QValidator>
#include <map>

#include "app/command_table.h"
#include "app/field_table.h"
#include "app/status_texts.h"
#include "controls/control_id.h"
#include "controls/ipv4_edit.h"
#include "controls/status_text.h"

namespace norvane::ui {
namespace {

class Controls : public testing::Test {
  protected:
    Controls() { buildMainWindowControls(window); }

    std::vector<QWidget*> identified() const {
        std::vector<QWidget*> out;
        for (QWidget* w : window.findChildren<QWidget*>())
            if (w->objectName().startsWith(QLatin1Char('c'))) out.push_back(w);
        return out;
    }

    QWidget window;
};

TEST_F(Controls, EveryTableRowHasOneControlOfItsKind) {
    for (const FieldRow& row : fieldTable()) {
        const auto found = window.findChildren<QWidget*>(controlName(row.id));
        ASSERT_EQ(found.size(), 1) << row.id;
        QWidget* w = found.front();
        switch (row.kind) {
            case FieldKind::Combo:
            case FieldKind::EditableDecimal:
                EXPECT_TRUE(qobject_cast<QComboBox*>(w)) << row.id;
                break;
            case FieldKind::Check:
                EXPECT_TRUE(qobject_cast<QCheckBox*>(w)) << row.id;
                break;
            case FieldKind::Ipv4:
                EXPECT_TRUE(qobject_cast<Ipv4Edit*>(w)) << row.id;
                break;
            default:
                EXPECT_TRUE(qobject_cast<QLineEdit*>(w)) << row.id;
        }
    }
    for (const StatusTextRow& row : statusTextTable())
        EXPECT_EQ(window.findChildren<StatusText*>(controlName(row.id)).size(), 1) << row.id;
    for (const CommandRow& row : commandTable())
        EXPECT_EQ(window.findChildren<QWidget*>(controlName(row.id)).size(), 1) << row.id;
    for (const int id : {kStatusLine, kClockText, kDeviceList, kCardList})
        EXPECT_TRUE(findControl(window, id)) << id;
}

TEST_F(Controls, EveryControlHasAnAccessibleNameOfItsOwn) {
    std::map<QString, QString> owners;
    for (QWidget* w : identified()) {
        const QString name = w->accessibleName();
        EXPECT_FALSE(name.isEmpty()) << qPrintable(w->objectName());
        const auto [it, fresh] = owners.emplace(name, w->objectName());
        EXPECT_TRUE(fresh) << qPrintable(name) << " names " << qPrintable(it->second) << " and "
                           << qPrintable(w->objectName());
    }
}

struct Named {
    int id;
    const char* accessibleName;
};
class AccessibleNames : public Controls, public testing::WithParamInterface<Named> {};

TEST_P(AccessibleNames, RepeatedLabelsArePrefixed) {
    EXPECT_EQ(findControl(window, GetParam().id)->accessibleName(),
              QString::fromUtf8(GetParam().accessibleName));
}

INSTANTIATE_TEST_SUITE_P(Labels, AccessibleNames,
                         testing::Values(Named{1020, "搜索设备"}, Named{1037, "保存"},
                                         Named{1028, "TCP A 目标端口"}, Named{1051, "TCP B 目标端口"},
                                         Named{1026, "TCP A 工作模式"}, Named{1290, "串口设置 工作模式"},
                                         Named{1073, "mqtt 设置"}, Named{1074, "定时控制 设置"},
                                         Named{1101, "跨路由器搜 设置"}, Named{1039, "TCP A 心跳包数据 HEX"},
                                         Named{1009, "IP地址"}, Named{1069, "调试(重启丢失)"}),
                         [](const auto& tested) { return std::to_string(tested.param.id); });

TEST_F(Controls, SideLabelsShowTheLabelAndLeadToTheirControl) {
    const std::map<int, QString> labels{
        {1008, QStringLiteral("IP类型")},   {1011, QStringLiteral("子网掩码")},
        {1018, QStringLiteral("打包时间")}, {1033, QStringLiteral("注册包数据")},
        {1299, QStringLiteral("信号")},     {1094, QStringLiteral("映射 IP")}};
    int found = 0;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->buddy()) continue;
        const int id = label->buddy()->objectName().mid(1).toInt();
        if (!labels.contains(id)) continue;
        EXPECT_EQ(label->text(), labels.at(id)) << id;
        ++found;
    }
    EXPECT_EQ(found, static_cast<int>(labels.size()));
}

TEST_F(Controls, ChangingTextsCarryTheirTextAsDescription) {
    auto* status = findControl<StatusText>(window, kStatusLine);
    EXPECT_EQ(status->text(), QStringLiteral("状态:"));
    EXPECT_EQ(findControl<StatusText>(window, kClockText)->text(),
              QStringLiteral("2015-05-23 12:05:30 星期"));
    status->setShownText(QStringLiteral("请选择一个设备"));
    EXPECT_EQ(status->accessibleDescription(), QStringLiteral("请选择一个设备"));
    EXPECT_EQ(status->accessibleName(), QStringLiteral("状态"));
    // A module's text is shown as it is, never as markup.
    status->setShownText(QStringLiteral("<b>x</b>"));
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
}

struct ListCase {
    int id;
    std::vector<const char*> items;
};
class FixedLists : public Controls, public testing::WithParamInterface<ListCase> {};

TEST_P(FixedLists, HoldTheirItemsInOrder) {
    auto* combo = findControl<QComboBox>(window, GetParam().id);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    QStringList expected;
    for (const char* item : GetParam().items) expected << QString::fromUtf8(item);
    EXPECT_EQ(items, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FixedLists,
    testing::Values(
        ListCase{1008, {"静态", "动态"}},
        ListCase{1014,
                 {"1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000", "57600", "115200",
                  "128000", "230400", "256000", "460800"}},
        ListCase{1017, {"NONE", "EVEN", "ODD"}}, ListCase{1016, {"7", "8", "9"}},
        ListCase{1015, {"1", "1.5", "2"}},
        ListCase{1026, {"不启用", "TCP_SERVER", "TCP_CLIENT", "UDP_SERVER", "UDP_CLIENT"}},
        ListCase{1032, {"不启用", "TCP_SERVER", "TCP_CLIENT", "UDP_SERVER", "UDP_CLIENT"}},
        ListCase{1034, {"不启用", "连接上服务器时，发送一次", "在每个数据包前都加上", "同时支持以上两者"}},
        ListCase{1059, {"不启用", "连接上服务器时，发送一次", "在每个数据包前都加上", "同时支持以上两者"}},
        ListCase{1290, {"透传", "ModbusTcp转RTU", "一问一答", "敬请期待", "更多模式，欢迎定制"}},
        ListCase{1288,
                 {"10000", "15000", "20000", "25000", "40000", "50000", "80000", "125000", "200000", "250000",
                  "400000", "500000", "666000", "800000", "1000000"}},
        ListCase{1297, {"网口联网", "4G做WAN,网口做LAN"}}),
    [](const auto& tested) { return std::to_string(tested.param.id); });

TEST_F(Controls, OnlyBaudRateParityAndDataBitsStartSelected) {
    for (const FieldRow& row : fieldTable()) {
        if (row.kind != FieldKind::Combo) continue;
        const bool first = row.id == 1014 || row.id == 1017 || row.id == 1016;
        EXPECT_EQ(findControl<QComboBox>(window, row.id)->currentIndex(), first ? 0 : -1) << row.id;
    }
    EXPECT_EQ(findControl<QComboBox>(window, 1288)->currentText(), QString());
}

TEST_F(Controls, TheListedTextsAreGreenAndOthersAreNot) {
    const QColor green(0, 0x80, 0);
    for (const int id : {1066, 1067, 1071, 1072, 1073, 1074, 1075, 1077, 1078, 1080, 1082, 1084, 1085,
                         1086, 1087, 1088, 1089, 1090, 1092, 1101, 1102, 1227, 1229, 1303, 1304, 1305}) {
        const QPalette colours = findControl(window, id)->palette();
        const QPalette::ColorRole role =
            qobject_cast<QPushButton*>(findControl(window, id)) ? QPalette::ButtonText : QPalette::WindowText;
        EXPECT_EQ(colours.color(QPalette::Active, role), green) << id;
    }
    for (const int id : {1020, 1098, 1037, 1306})
        EXPECT_NE(findControl(window, id)->palette().color(QPalette::Active, QPalette::ButtonText), green)
            << id;
}

TEST_F(Controls, TheDeviceListSelectsWholeRowsInItsOwnBlue) {
    auto* list = findControl<QTableView>(window, kDeviceList);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(list->showGrid());
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        EXPECT_EQ(list->palette().color(group, QPalette::Highlight), QColor(0x33, 0x99, 0xFF));
        // The text keeps its colour on the selected row.
        EXPECT_EQ(list->palette().color(group, QPalette::HighlightedText),
                  list->palette().color(group, QPalette::Text));
    }
}

TEST_F(Controls, TheProductionAndOneKeyControlsStayHidden) {
    for (const int id : {1293, 1294, 1295, 1296, 1041})
        EXPECT_TRUE(findControl(window, id)->isHidden()) << id;
    EXPECT_FALSE(findControl(window, 1037)->isHidden());
}

TEST_F(Controls, ThePasswordShowsStars) {
    auto* password = findControl<QLineEdit>(window, 1024);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(findControl<QLineEdit>(window, 1013)->isReadOnly());
}

TEST(Ipv4EditTest, TakesFourOctetsOfAtMost255) {
    Ipv4Edit edit;
    edit.setAddress({198, 51, 100, 7});
    EXPECT_EQ(edit.text(), QStringLiteral("198.51.100.7"));
    EXPECT_EQ(edit.address(), (Ipv4Edit::Octets{198, 51, 100, 7}));
    const auto state = [&](const char* text) {
        QString input = QString::fromLatin1(text);
        int position = 0;
        return edit.validator()->validate(input, position);
    };
    EXPECT_EQ(state("203.0.113.255"), QValidator::Acceptable);
    EXPECT_EQ(state("203.0."), QValidator::Intermediate);
    EXPECT_EQ(state("203.0.113.256"), QValidator::Invalid);
    EXPECT_EQ(state("1.2.3.4.5"), QValidator::Invalid);
    EXPECT_EQ(state("1.2.x.4"), QValidator::Invalid);
    edit.setText(QStringLiteral("10..3"));
    EXPECT_EQ(edit.address(), (Ipv4Edit::Octets{10, 0, 3, 0}));
}

}  // namespace
}  // namespace norvane::ui
