#include "link_fixture.h"
#include "protocol/requests.h"
#include "record/layout.h"

namespace norvane::e2e {
namespace {

class CommandsTest : public LinkFixture {};

TEST_F(CommandsTest, MaintenanceCommandsAreAcknowledgedByTheAddressedModuleOnly) {
    startModules(3);
    const MacAddress target = host->record(2).mac();
    struct Case {
        const char* name;
        Bytes frame;
        std::uint8_t ack;
    };
    const Case cases[] = {
        {"reboot", protocol::reboot(target, protocol::Route::Local), 0x86},
        {"factory reset", protocol::factoryReset(target, false, protocol::Route::Local), 0x85},
        {"deep factory reset", protocol::factoryReset(target, true, protocol::Route::Local), 0x85},
    };
    for (const Case& c : cases) {
        outcomes.clear();
        link->send(c.frame);
        EXPECT_TRUE(waitFor([&] { return acknowledgements(c.ack, target) == 1; })) << c.name;
        settle();
        EXPECT_EQ(outcomes.size(), 1u) << c.name << ": only the addressed module answers";
    }
}

TEST_F(CommandsTest, ALockedModuleAnswersOnlyWithItsCredentials) {
    auto records = sim::plausibleRecords(2);
    records[0].setU8(record::offset::kAccessLock, record::kAccessLockOn);
    records[0].setText(record::offset::kUserName, 64, "admin");
    records[0].setText(record::offset::kPassword, 64, "8899");
    startModules(records);
    const MacAddress locked = records[0].mac();

    link->send(protocol::searchFrame(protocol::Route::Local));
    ASSERT_TRUE(waitFor([&] { return list.count() == 1; }));
    settle();
    EXPECT_EQ(list.find(locked), -1) << "the locked module answered a search without the prefix";

    link->send(protocol::reboot(locked, protocol::Route::Local));
    settle();
    EXPECT_EQ(acknowledgements(0x86, locked), 0u);

    link->setLock(protocol::LockCredentials{"admin", "8899"});
    link->send(protocol::reboot(locked, protocol::Route::Local));
    EXPECT_TRUE(waitFor([&] { return acknowledgements(0x86, locked) == 1; }));
    link->send(protocol::searchFrame(protocol::Route::Local));
    EXPECT_TRUE(waitFor([&] { return list.find(locked) >= 0; }));
}

}  // namespace
}  // namespace norvane::e2e
