// The debug monitor on the offscreen platform, listening on the test namespace's port 1112: a virtual
// module's copies in debug mode, datagrams no module would send, and the monitor's own controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateTime>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QUdpSocket>

#include "controls/control_id.h"
#include "controls/status_text.h"
#include "live/debug.h"
#include "live_fixture.h"
#include "protocol/requests.h"

namespace norvane::ui {
namespace {

using live_test::waitFor;

constexpr quint16 kDebugPort = 1112;

class DebugMonitor : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(monitor.listener().listening()) << "port 1112 is taken in the test namespace";
        monitor.show();
        ASSERT_TRUE(sender.bind(QHostAddress(QHostAddress::AnyIPv4), 0));
    }

    void send(const QByteArray& datagram) {
        ASSERT_EQ(sender.writeDatagram(datagram, QHostAddress::LocalHost, kDebugPort), datagram.size());
    }
    bool rowsAre(int n) {
        return waitFor([&] { return rows() == n; });
    }
    int rows() const { return monitor.rows().rowCount(); }
    QString cell(int row, int column) const { return monitor.rows().index(row, column).data().toString(); }
    QTableView* list() const { return findControl<QTableView>(monitor, debug::kList); }
    QCheckBox* check(int id) const { return findControl<QCheckBox>(monitor, id); }
    QString detail() const { return findControl<QPlainTextEdit>(monitor, debug::kDetail)->toPlainText(); }
    QString status() const { return monitor.findChild<StatusText*>()->text(); }

    debug monitor{net::DebugListener::Options{.port = kDebugPort}};
    QUdpSocket sender;
};

TEST_F(DebugMonitor, ListsAModulesTrafficInDebugModeWithTimeLengthTextAndHex) {
    live_test::LiveModules modules(1);
    ASSERT_TRUE(modules.start());
    ASSERT_TRUE(modules.search());
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
    const Bytes on = protocol::debugMode(modules.list[0].mac(), true);
    modules.link->send(on);
    ASSERT_TRUE(rowsAre(2)) << "a copy of the write and of its acknowledgement";
    const QDateTime after = QDateTime::currentDateTime().addMSecs(1);

    EXPECT_EQ(cell(0, DebugRowModel::Number), u"1"_qs);
    EXPECT_EQ(cell(0, DebugRowModel::Length), u"19"_qs);
    EXPECT_EQ(cell(0, DebugRowModel::Hex), u"88 3a 00 04 00 05 00 07 00 01 01 02 4e 56 00 00 01 45 2e "_qs);
    EXPECT_EQ(cell(0, DebugRowModel::Ascii), u"\uFFFD:"_qs) << "0x88 is no GBK character; 0x00 ends the text";
    EXPECT_EQ(cell(1, DebugRowModel::Number), u"2"_qs);
    EXPECT_EQ(cell(1, DebugRowModel::Length), u"14"_qs);
    EXPECT_EQ(cell(1, DebugRowModel::Hex), u"88 3a 00 84 00 00 02 4e 56 00 00 01 45 2e "_qs);
    for (int row = 0; row < 2; ++row) {
        const QString time = cell(row, DebugRowModel::Time);
        const QDateTime arrived = QDateTime::fromString(time, u"yyyy-MM-dd hh:mm:ss zzz"_qs);
        ASSERT_TRUE(arrived.isValid()) << qPrintable(time);
        EXPECT_GE(arrived, before) << qPrintable(time);
        EXPECT_LE(arrived, after) << qPrintable(time);
    }

    // The panel's poll and its answer come along too, until debug mode is off.
    modules.link->send(protocol::readRequest(modules.list[0].mac(), Bytes{0x50}));
    ASSERT_TRUE(rowsAre(4));
    EXPECT_EQ(cell(2, DebugRowModel::Length), u"15"_qs);
    modules.link->send(protocol::debugMode(modules.list[0].mac(), false));
    ASSERT_TRUE(waitFor([&] { return modules.host->record(0).u8(record::offset::kDebugMode) == 0; }));
    modules.link->send(protocol::readRequest(modules.list[0].mac(), Bytes{0x50}));
    QTest::qWait(300);
    EXPECT_EQ(rows(), 4) << "debug mode off: nothing more";
}

TEST_F(DebugMonitor, ListsDatagramsNoModuleWouldSendSafely) {
    send(QByteArray());                                 // empty: not listed
    send(QByteArray(65507, 'Z'));                       // the largest datagram
    send(QByteArray(300, 'A'));                         // no zero byte at all
    send(QByteArray("\xFF\xD6\x7F", 3));                // no GBK character, then a control character
    send(QByteArray("\xB5\xF7\xCA\xD4\0\xB5\xF7", 7));  // GBK text, a zero, more bytes
    send(QByteArray("ok", 2));
    ASSERT_TRUE(rowsAre(5));
    QTest::qWait(200);
    ASSERT_EQ(rows(), 5) << "the empty datagram is not listed";

    EXPECT_EQ(cell(0, DebugRowModel::Length), u"65507 截断"_qs);
    EXPECT_TRUE(cell(0, DebugRowModel::Hex).startsWith(u"5a 5a 5a "_qs));
    EXPECT_TRUE(monitor.rows().index(0, 0).data(Qt::ToolTipRole).toString().contains(u"8092"_qs));
    list()->selectRow(0);
    EXPECT_TRUE(detail().startsWith(u"数据报长 65507 字节，只保留前 8092 字节"_qs))
        << qPrintable(detail().left(40));
    EXPECT_TRUE(detail().endsWith(QString(u"5a "_qs).repeated(3))) << "the detail box holds all bytes kept";
    EXPECT_EQ(detail().count(u"5a"_qs), 8092);

    EXPECT_EQ(cell(1, DebugRowModel::Length), u"300"_qs);
    EXPECT_EQ(cell(1, DebugRowModel::Ascii), QString(300, u'A'));
    EXPECT_EQ(cell(2, DebugRowModel::Ascii), u"\uFFFD\uFFFD\u00B7"_qs);
    EXPECT_EQ(cell(2, DebugRowModel::Hex), u"ff d6 7f "_qs);
    EXPECT_EQ(cell(3, DebugRowModel::Ascii), u"调试"_qs);
    EXPECT_EQ(cell(3, DebugRowModel::Hex), u"b5 f7 ca d4 00 b5 f7 "_qs);
    EXPECT_EQ(cell(4, DebugRowModel::Number), u"5"_qs);
}

TEST_F(DebugMonitor, ShowsTheLastOfSeveralSelectedRowsInTheDetailBox) {
    for (const char* text : {"first", "second", "third"}) send(QByteArray(text));
    ASSERT_TRUE(rowsAre(3));
    list()->selectRow(0);
    EXPECT_EQ(detail(), u"ASCII : first\n\n\nHEX : 66 69 72 73 74 "_qs);
    list()->selectionModel()->select(monitor.rows().index(2, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_TRUE(detail().startsWith(u"ASCII : third"_qs));
    list()->clearSelection();
    EXPECT_EQ(detail(), QString());
}

TEST_F(DebugMonitor, StopShowingDropsDatagramsWithoutCountingThem) {
    send("one");
    ASSERT_TRUE(rowsAre(1));
    check(debug::kStopShowing)->setChecked(true);
    send("dropped");
    QTest::qWait(300);
    EXPECT_EQ(rows(), 1);
    check(debug::kStopShowing)->setChecked(false);
    send("two");
    ASSERT_TRUE(rowsAre(2));
    EXPECT_EQ(cell(1, DebugRowModel::Number), u"2"_qs);
    EXPECT_EQ(cell(1, DebugRowModel::Ascii), u"two"_qs);
}

TEST_F(DebugMonitor, ClearEmptiesTheListAndRestartsTheNumbersButKeepsTheDetail) {
    send("one");
    send("two");
    ASSERT_TRUE(rowsAre(2));
    list()->selectRow(1);
    const QString shown = detail();
    QTest::mouseClick(findControl<QPushButton>(monitor, debug::kClear), Qt::LeftButton);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(detail(), shown);
    send("three");
    ASSERT_TRUE(rowsAre(1));
    EXPECT_EQ(cell(0, DebugRowModel::Number), u"1"_qs);
}

TEST_F(DebugMonitor, AutoScrollKeepsTheNewestRowInView) {
    check(debug::kAutoScroll)->setChecked(true);
    for (int i = 0; i < 200; ++i) send(QByteArray::number(i));
    ASSERT_TRUE(rowsAre(200));
    QTest::qWait(50);
    const QRect viewport = list()->viewport()->rect();
    EXPECT_TRUE(viewport.intersects(list()->visualRect(monitor.rows().index(199, 0))));
    EXPECT_FALSE(viewport.intersects(list()->visualRect(monitor.rows().index(0, 0))));
}

TEST(DebugMonitorBound, KeepsTheNewestRowsAndNumbersNeverRepeat) {
    debug monitor(net::DebugListener::Options{.port = kDebugPort}, 5);
    QUdpSocket sender;
    for (int i = 1; i <= 12; ++i) {
        const QByteArray text = "n" + QByteArray::number(i);
        sender.writeDatagram(text, QHostAddress::LocalHost, kDebugPort);
    }
    const auto& rows = monitor.rows();
    ASSERT_TRUE(waitFor([&] { return rows.index(4, 0).data().toString() == u"12"_qs; }));
    EXPECT_EQ(rows.rowCount(), 5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(rows.index(row, DebugRowModel::Number).data().toString(), QString::number(8 + row));
        EXPECT_EQ(rows.index(row, DebugRowModel::Ascii).data().toString(),
                  u"n"_qs + QString::number(8 + row));
    }
    const QString status = monitor.findChild<StatusText*>()->text();
    EXPECT_TRUE(status.contains(u"最多保留 5 行"_qs)) << qPrintable(status);
    EXPECT_TRUE(status.contains(u"已删除最早的 7 行"_qs)) << qPrintable(status);
    EXPECT_TRUE(findControl<QTableView>(monitor, debug::kList)->toolTip().contains(u"5"_qs));
}

TEST(DebugMonitorBound, ABatchLargerThanTheBoundKeepsItsNewestRows) {
    DebugRowModel model(3);
    std::vector<net::DebugDatagram> batch(7);
    for (std::size_t i = 0; i < batch.size(); ++i)
        batch[i] = {{}, 0, 0, 1, Bytes{static_cast<std::uint8_t>('a' + i)}};
    model.append(std::move(batch));
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(0, DebugRowModel::Number).data().toString(), u"5"_qs);
    EXPECT_EQ(model.index(2, DebugRowModel::Ascii).data().toString(), u"g"_qs);
    EXPECT_EQ(model.dropped(), 4u);
}

TEST(DebugMonitorWindow, IsOneWindowForTheWholeRunThatKeepsItsRows) {
    debug& first = showDebugMonitor();
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.windowTitle(), u"DEBUG"_qs);
    QUdpSocket sender;
    sender.writeDatagram("kept", QHostAddress::LocalHost, kDebugPort);
    ASSERT_TRUE(waitFor([&] { return first.rows().rowCount() == 1; }));
    first.close();
    sender.writeDatagram("while hidden", QHostAddress::LocalHost, kDebugPort);
    ASSERT_TRUE(waitFor([&] { return first.rows().rowCount() == 2; })) << "still listening while hidden";

    debug& second = showDebugMonitor();
    EXPECT_EQ(&second, &first);
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(second.rows().rowCount(), 2);
    delete &second;
}

TEST(DebugMonitorWindow, SaysSoWhenItCannotListen) {
    // Another program holds the port exclusively.
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress(QHostAddress::AnyIPv4), 0, QAbstractSocket::DontShareAddress));
    debug monitor(net::DebugListener::Options{.port = holder.localPort()});
    EXPECT_FALSE(monitor.listener().listening());
    EXPECT_TRUE(monitor.findChild<StatusText*>()->text().startsWith(
        u"无法监听 UDP 端口 %1"_qs.arg(holder.localPort())));
}

TEST(DebugMonitorWindow, NamesItsListAndButtons) {
    debug monitor(net::DebugListener::Options{.port = 0});
    EXPECT_EQ(findControl(monitor, debug::kList)->accessibleName(), u"调试数据报"_qs);
    EXPECT_EQ(findControl(monitor, debug::kDetail)->accessibleName(), u"详细内容"_qs);
    EXPECT_EQ(findControl<QPushButton>(monitor, debug::kClear)->text(), u"清除"_qs);
    EXPECT_EQ(findControl<QCheckBox>(monitor, debug::kStopShowing)->text(), u"停止显示"_qs);
    EXPECT_EQ(findControl<QCheckBox>(monitor, debug::kAutoScroll)->text(), u"自动滚动"_qs);
    const auto* header = findControl<QTableView>(monitor, debug::kList)->model();
    QStringList titles;
    for (int c = 0; c < DebugRowModel::ColumnCount; ++c)
        titles << header->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{u"序号"_qs, u"时间"_qs, u"长度"_qs, u"ASCII"_qs, u"HEX"_qs}));
}

}  // namespace
}  // namespace norvane::ui
