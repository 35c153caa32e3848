// The network-card list on a PC with two cards, a virtual module behind each (the segment2 topology): the
// default entry reaches both, a chosen card only the module behind it, even one whose address lies outside
// that card's subnet.
#include <QComboBox>
#include <QProcess>
#include <QPushButton>

#include "app/record_format.h"
#include "namespace_scope.h"
#include "udp_probe.h"
#include "window_fixture.h"

namespace norvane::ui::test {
namespace {

// Changes the cards of a namespace of the topology.
void ip(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("ip"), arguments);
    ASSERT_TRUE(process.waitForFinished()) << qPrintable(process.errorString());
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

class CardChoice : public testing::Test {
  protected:
    void SetUp() override {
        const QString hostB = QString::fromStdString(norvane::test::namespaceFromEnv("NVT_NS_HOST_B"));
        // Host B's module has a wrong address for its segment: 198.51.100.77 behind the card 203.0.113.1.
        ip({QStringLiteral("-n"), hostB, QStringLiteral("addr"), QStringLiteral("flush"),
            QStringLiteral("dev"), QStringLiteral("nvt3")});
        ip({QStringLiteral("-n"), hostB, QStringLiteral("addr"), QStringLiteral("add"),
            QStringLiteral("198.51.100.77/32"), QStringLiteral("dev"), QStringLiteral("nvt3")});
        ip({QStringLiteral("-n"), hostB, QStringLiteral("route"), QStringLiteral("add"),
            QStringLiteral("203.0.113.1/32"), QStringLiteral("dev"), QStringLiteral("nvt3")});

        const auto records = sim::plausibleRecords(2);
        moduleA = records[0].mac();
        moduleB = records[1].mac();
        hostOfA = std::make_unique<sim::ModuleHost>(std::vector{records[0]});
        hostOfB = std::make_unique<sim::ModuleHost>(std::vector{records[1]});
        {
            const norvane::test::NamespaceScope inside(norvane::test::namespaceFromEnv("NVT_NS_HOST_A"));
            serverA = std::make_unique<sim::SimServer>(*hostOfA,
                                                       sim::Endpoint{QHostAddress(QHostAddress::AnyIPv4), 0});
            ASSERT_TRUE(serverA->start()) << qPrintable(serverA->errorString());
        }
        {
            const norvane::test::NamespaceScope inside(hostB.toStdString());
            serverB = std::make_unique<sim::SimServer>(
                *hostOfB, sim::Endpoint{QHostAddress(QHostAddress::AnyIPv4), serverA->port()});
            ASSERT_TRUE(serverB->start()) << qPrintable(serverB->errorString());
        }
        window =
            std::make_unique<CdornDlg>(prompter, net::DeviceLink::Options{.modulePort = serverA->port()});
        window->show();
    }

    QAbstractItemModel& model() const { return *findControl<QTableView>(*window, kDeviceList)->model(); }

    // The modules listed once the search has had time for every answer: MAC text and address text.
    std::map<QString, QString> listed() {
        QTest::qWait(1500);
        std::map<QString, QString> found;
        for (int row = 0; row < model().rowCount(); ++row)
            found[model().index(row, 1).data().toString()] = model().index(row, 0).data().toString();
        return found;
    }

    void choose(const QString& entry) {
        auto* cards = findControl<QComboBox>(*window, kCardList);
        const int wanted = cards->findText(entry);
        ASSERT_GE(wanted, 0) << qPrintable(entry);
        cards->setFocus();
        while (cards->currentIndex() != wanted)
            QTest::keyClick(cards, wanted > cards->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        QTest::mouseClick(findControl<QPushButton>(*window, 1020), Qt::LeftButton);
    }

    ScriptedPrompter prompter;
    MacAddress moduleA{}, moduleB{};
    std::unique_ptr<sim::ModuleHost> hostOfA, hostOfB;
    std::unique_ptr<sim::SimServer> serverA, serverB;
    std::unique_ptr<CdornDlg> window;
};

TEST_F(CardChoice, TheListOffersBothCards) {
    auto* cards = findControl<QComboBox>(*window, kCardList);
    EXPECT_GE(cards->findText(QStringLiteral("198.51.100.1 | nvt0")), 1);
    EXPECT_GE(cards->findText(QStringLiteral("203.0.113.1 | nvt2")), 1);
    EXPECT_EQ(cards->count(), 3);
}

TEST_F(CardChoice, TheDefaultEntryFindsTheModulesBehindEveryCard) {
    const auto found = listed();
    const std::map<QString, QString> expected{{macText(moduleA), QStringLiteral("198.51.100.2")},
                                              {macText(moduleB), QStringLiteral("198.51.100.77")}};
    EXPECT_EQ(found, expected);
}

TEST_F(CardChoice, AChosenCardFindsOnlyTheModuleBehindIt) {
    choose(QStringLiteral("198.51.100.1 | nvt0"));
    EXPECT_EQ(listed(), (std::map<QString, QString>{{macText(moduleA), QStringLiteral("198.51.100.2")}}));
    choose(QStringLiteral("203.0.113.1 | nvt2"));
    EXPECT_EQ(listed(), (std::map<QString, QString>{{macText(moduleB), QStringLiteral("198.51.100.77")}}));
    choose(QStringLiteral(" 默认   (若搜不到设备，请选择对应的网卡)"));
    EXPECT_EQ(listed().size(), 2u);
}

}  // namespace
}  // namespace norvane::ui::test
