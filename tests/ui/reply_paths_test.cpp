// What the main window does with each reply, good or bad, from a module the test plays over real UDP.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>

#include "app/acknowledgement_handler.h"
#include "controls/status_text.h"
#include "probe_module.h"
#include "protocol/requests.h"
#include "text/gbk.h"
#include "window_fixture.h"

namespace norvane::ui::test {

Bytes gbk(const char* utf8) {
    const std::string text = text::utf8ToGbk(utf8);
    return {text.begin(), text.end()};
}

namespace {

constexpr MacAddress kMacA{0x02, 0x4E, 0x56, 0x10, 0x00, 0x01};
constexpr MacAddress kMacB{0x02, 0x4E, 0x56, 0x10, 0x00, 0x02};

MacAddress macNumber(std::size_t n) {
    return {0x02, 0x4E, 0x56, 0x20, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)};
}

class ReplyPaths : public WindowFixture {
  protected:
    // The window on the probe, once its first search has come.
    void SetUp() override {
        QElapsedTimer opened;
        opened.start();
        openWindow(probe.port());
        search = probe.nextNotPoll();
        ASSERT_TRUE(search.has_value()) << "no search";
        searchAfterMs = opened.elapsed();
    }

    void settleReplies() { settle(200); }

    ProbeModule probe;
    std::optional<QNetworkDatagram> search;
    qint64 searchAfterMs = 0;
};

TEST_F(ReplyPaths, TheFirstSearchIsTheExactBroadcastFrame) {
    EXPECT_EQ(bytesOf(*search), protocol::searchFrame(protocol::Route::Local));
    EXPECT_EQ(search->destinationAddress(), QHostAddress(QHostAddress::Broadcast));
    // 200 ms after start-up the search starts; its broadcast leaves 200 ms after that (timers may fire a
    // little early, never much).
    EXPECT_GE(searchAfterMs, 360);
}

TEST_F(ReplyPaths, NoiseAndBrokenFramesListNothing) {
    const Bytes noise = [] {
        Bytes out(300);
        for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(i * 37 + 11);
        return out;
    }();
    probe.send(noise);
    probe.send({0x88, 0x3A, 0x45, 0x2E});  // passes the check; code 0x45 is ignored
    probe.send(
        {0x88, 0x3A, 0x00, 0x81, 0x00, 0x00, 1, 2, 3, 4, 5, 0x45, 0x2E});  // a search reply without a MAC
    probe.send(
        {0x88, 0x3A, 0x00, 0x81, 0x00, 0x03, 0x16, 0x00, 0x06, 1, 2, 3, 4, 5, 6, 7, 8});  // no end bytes
    probe.reply(0x82, kMacA, items({{0x1B, gbk("不该出现")}}));
    settleReplies();
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(window->devices().count(), 0u);

    // The window still lists a module that answers properly.
    probe.reply(0x81, kMacA, items({{0x1B, gbk("一号车间")}}));
    ASSERT_TRUE(waitFor([&] { return rows() == 1; }));
    EXPECT_EQ(cell(0, 4), QStringLiteral("一号车间"));
}

TEST_F(ReplyPaths, AReplyClaimingMoreItemsThanItHoldsKeepsWhatItHolds) {
    // The payload length claims 512 items of three bytes; two items and an item cut short follow.
    Bytes payload = items({{0x1B, gbk("仓库")}, {0x03, gbk("NV-0808")}});
    payload.insert(payload.end(), {0x01, 0x00, 0x40, 'V', '1'});  // declares 64 bytes, holds 2
    Bytes frame = protocol::buildFrame(protocol::Route::Local, 0x81, payload, kMacB);
    frame[4] = static_cast<std::uint8_t>((512 * 3) >> 8);
    frame[5] = static_cast<std::uint8_t>(512 * 3);
    probe.send(frame);
    ASSERT_TRUE(waitFor([&] { return rows() == 1; }));
    settleReplies();
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("02-4E-56-10-00-02"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("NV-0808"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("仓库"));
    EXPECT_EQ(cell(0, 2), QString());  // the item cut short is not stored
}

TEST_F(ReplyPaths, AReadReplyFromAnUnlistedModuleShowsItsClockAndListsNothing) {
    probe.reply(0x83, kMacA, items({{0xB0, {125, 0, 1, 8, 9, 10, 3, 0}}, {0x1B, gbk("外来")}}));
    auto* clock = control<StatusText>(kClockText);
    ASSERT_TRUE(waitFor([&] { return clock->text() == QStringLiteral("2025-01-01 08:09:10  星期三"); }))
        << qPrintable(clock->text());
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(window->devices().count(), 0u);
}

TEST_F(ReplyPaths, The513thModuleIsNotListed) {
    for (std::size_t n = 0; n < 513; ++n) probe.reply(0x81, macNumber(n), items({{0x1B, gbk("分站")}}));
    ASSERT_TRUE(waitFor([&] { return rows() == 512; }, 10000)) << rows();
    settleReplies();
    EXPECT_EQ(rows(), 512);
    EXPECT_EQ(window->devices().find(macNumber(512)), -1);
    EXPECT_EQ(cell(511, 1), QStringLiteral("02-4E-56-20-01-FF"));
    EXPECT_EQ(window->selectedIndex(), 511);
    // Its clock still shows, as any unlisted module's does.
    probe.reply(0x83, macNumber(512), items({{0xB0, {125, 11, 31, 23, 59, 58, 2, 0}}}));
    auto* clock = control<StatusText>(kClockText);
    EXPECT_TRUE(waitFor([&] { return clock->text() == QStringLiteral("2025-12-31 23:59:58  星期二"); }));
    EXPECT_EQ(rows(), 512);
}

TEST_F(ReplyPaths, TheLaterPiecesOfASplitReplyReachTheRowAndTheShownFields) {
    probe.reply(0x81, kMacA, items({{0x16, bytesOf(kMacA)}}));
    ASSERT_TRUE(waitFor([&] { return rows() == 1; }));
    EXPECT_EQ(cell(0, 4), QString());
    EXPECT_EQ(control<QLineEdit>(1013)->text(), QStringLiteral("02-4E-56-10-00-01"));
    settle(200);
    // The view repaints a row only when the model says it changed.
    QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
    probe.reply(0x81, kMacA, items({{0x1B, gbk("一号车间")}, {0x01, gbk("V10030")}, {0x18, gbk("admin")}}));
    ASSERT_TRUE(waitFor([&] { return !changed.empty(); }));
    EXPECT_EQ(changed.front().at(0).toModelIndex().row(), 0);
    EXPECT_EQ(changed.front().at(1).toModelIndex().column(), 4);
    EXPECT_EQ(cell(0, 4), QStringLiteral("一号车间"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("V10030"));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(control<QLineEdit>(1019)->text(), QStringLiteral("admin"));
}

TEST_F(ReplyPaths, ALaterPieceDoesNotOverwriteWhatTheUserIsEditing) {
    probe.reply(0x81, kMacA, items({{0x18, gbk("admin")}}));
    ASSERT_TRUE(waitFor([&] { return rows() == 1; }));
    auto* user = control<QLineEdit>(1019);
    ASSERT_EQ(user->text(), QStringLiteral("admin"));
    user->setFocus();
    user->selectAll();
    QTest::keyClicks(user, QStringLiteral("operator"));
    probe.reply(0x81, kMacA, items({{0x18, gbk("root")}, {0x1B, gbk("二号车间")}}));
    ASSERT_TRUE(waitFor([&] { return cell(0, 4) == QStringLiteral("二号车间"); }));
    EXPECT_EQ(user->text(), QStringLiteral("operator"));
}

class RecordedAcknowledgements final : public AcknowledgementHandler {
  public:
    void acknowledged(std::uint8_t code, const MacAddress& mac) override { seen.emplace_back(code, mac); }
    std::vector<std::pair<std::uint8_t, MacAddress>> seen;
};

TEST_F(ReplyPaths, AcknowledgementsGoToTheirHandlerInOrder) {
    RecordedAcknowledgements handler;
    window->setAcknowledgementHandler(&handler);
    for (const int code : {0x84, 0x82, 0x85, 0x86}) probe.reply(static_cast<std::uint8_t>(code), kMacB, {});
    ASSERT_TRUE(waitFor([&] { return handler.seen.size() == 3; }));
    settleReplies();
    const std::vector<std::pair<std::uint8_t, MacAddress>> expected{
        {0x84, kMacB}, {0x85, kMacB}, {0x86, kMacB}};
    EXPECT_EQ(handler.seen, expected);
    window->setAcknowledgementHandler(nullptr);
    EXPECT_EQ(rows(), 0);
}

TEST_F(ReplyPaths, TheClockPollGoesByTheDestinationRule) {
    // The module answers from the address it has on the window's segment.
    probe.reply(0x81, kMacA, items({{0x16, bytesOf(kMacA)}}));
    ASSERT_TRUE(waitFor([&] { return rows() == 1; }));
    const Bytes poll = protocol::clockPoll(kMacA);
    auto first = probe.next();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(bytesOf(*first), poll);
    EXPECT_EQ(first->destinationAddress(), QHostAddress(QHostAddress::Broadcast));

    control<QCheckBox>(1068)->setChecked(true);
    auto next = probe.next();
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(bytesOf(*next), poll);
    EXPECT_EQ(next->destinationAddress(), QHostAddress(QStringLiteral("198.51.100.1")));
}

}  // namespace
}  // namespace norvane::ui::test
