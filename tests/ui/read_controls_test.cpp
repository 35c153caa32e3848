// Reading the main window's controls back into a record, on real widgets without a socket.
#include "app/read_controls.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <functional>

#include "app/field_table.h"
#include "app/main_window_controls.h"
#include "app/show_record.h"
#include "controls/control_id.h"
#include "record/device_record.h"
#include "scripted_prompter.h"
#include "sim/plausible_record.h"
#include "text/gbk.h"

namespace norvane::ui {
namespace {

using record::DeviceRecord;
using test::ScriptedPrompter;

std::string gbk(const char* utf8) {
    return text::utf8ToGbk(utf8);
}

class ReadControls : public testing::Test {
  public:
    ReadControls() { buildMainWindowControls(window); }

    void type(int id, const char* utf8) {
        findControl<QLineEdit>(window, id)->setText(QString::fromUtf8(utf8));
    }
    void check(int id, bool on) { findControl<QCheckBox>(window, id)->setChecked(on); }
    void read() { readControlsIntoRecord(window, record, prompter); }

    QWidget window;
    ScriptedPrompter prompter;
    DeviceRecord record = sim::plausibleRecord(0);
};

// Every field, shown and read back, is what it was: the two loops are each other's inverse.
TEST_F(ReadControls, AShownRecordReadsBackUnchanged) {
    for (const bool hex : {false, true}) {
        SCOPED_TRACE(hex ? "hex boxes checked" : "hex boxes clear");
        for (const int box : {1039, 1038, 1062, 1061}) check(box, hex);
        DeviceRecord shownRecord = record;
        showRecord(window, shownRecord);
        read();
        for (const FieldRow& row : fieldTable()) {
            EXPECT_TRUE(std::ranges::equal(record.field(row.offset, row.size),
                                           shownRecord.field(row.offset, row.size)))
                << row.id;
        }
        EXPECT_EQ(record, shownRecord);
    }
}

struct ReadCase {
    const char* name;
    std::function<void(ReadControls&)> enter;
    std::function<void(const DeviceRecord& before, const DeviceRecord& after)> expect;
    const char* message = nullptr;  // the message box the read shows, if any
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadCases : public ReadControls, public testing::WithParamInterface<ReadCase> {};

TEST_P(ReadCases, StoreWhatTheUserTyped) {
    showRecord(window, record);
    const DeviceRecord before = record;
    GetParam().enter(*this);
    if (GetParam().message) prompter.expect(QString::fromUtf8(GetParam().message));
    read();
    GetParam().expect(before, record);
    EXPECT_TRUE(prompter.satisfied());
}

const auto kUnchanged = [](std::size_t offset, std::size_t width, std::size_t countOffset) {
    return [=](const DeviceRecord& before, const DeviceRecord& after) {
        EXPECT_TRUE(std::ranges::equal(before.field(offset, width), after.field(offset, width)));
        EXPECT_EQ(before.u8(countOffset), after.u8(countOffset));
    };
};

const ReadCase kReadCases[] = {
    ReadCase{"RtuAddressKeepsItsLowByte", [](ReadControls& w) { w.type(1025, "300"); },
             [](const DeviceRecord&, const DeviceRecord& r) { EXPECT_EQ(r.u8(250), 44); }},
    ReadCase{"LettersReadAsZero", [](ReadControls& w) { w.type(1028, "abc"); },
             [](const DeviceRecord&, const DeviceRecord& r) { EXPECT_EQ(r.u16(384), 0); }},
    ReadCase{"LeadingDigitsAndSign",
             [](ReadControls& w) {
                 w.type(1035, " 1500ms");
                 w.type(1044, "-1");
             },
             [](const DeviceRecord&, const DeviceRecord& r) {
                 EXPECT_EQ(r.u16(1044), 1500);
                 EXPECT_EQ(r.u16(1046), 0xFFFF);
             }},
    ReadCase{
        "UserNameCutAt63Bytes", [](ReadControls& w) { w.type(1019, std::string(70, 'u').c_str()); },
        [](const DeviceRecord&, const DeviceRecord& r) { EXPECT_EQ(r.text(41, 64), std::string(63, 'u')); }},
    // 32 two-byte characters are 64 bytes: the 32nd would be split at 63, so it is left out whole.
    ReadCase{"ChineseTextCutOnACharacterBoundary",
             [](ReadControls& w) {
                 std::string name;
                 for (int i = 0; i < 32; ++i) name += "码";
                 w.type(1024, name.c_str());
             },
             [](const DeviceRecord&, const DeviceRecord& r) {
                 std::string expected;
                 for (int i = 0; i < 31; ++i) expected += gbk("码");
                 EXPECT_EQ(r.text(105, 64), expected);
             }},
    ReadCase{"TargetTakes127Bytes", [](ReadControls& w) { w.type(1050, std::string(130, 'h').c_str()); },
             [](const DeviceRecord&, const DeviceRecord& r) {
                 EXPECT_EQ(r.text(649, 128), std::string(127, 'h'));
             }},
    ReadCase{"HexWithSpaces",
             [](ReadControls& w) {
                 w.check(1039, true);
                 w.type(1030, "01 02 0A");
             },
             [](const DeviceRecord&, const DeviceRecord& r) {
                 EXPECT_EQ(r.u8(516), 3);
                 EXPECT_EQ(r.u8(388), 0x01);
                 EXPECT_EQ(r.u8(389), 0x02);
                 EXPECT_EQ(r.u8(390), 0x0A);
             }},
    ReadCase{"HexDigitsSeparatedBySpacesPair",
             [](ReadControls& w) {
                 w.check(1061, true);
                 w.type(1058, "1 2");
             },
             [](const DeviceRecord&, const DeviceRecord& r) {
                 EXPECT_EQ(r.u8(1041), 1);
                 EXPECT_EQ(r.u8(913), 0x12);
             }},
    ReadCase{"NotHexKeepsFieldAndCount",
             [](ReadControls& w) {
                 w.check(1038, true);
                 w.type(1033, "0G");
             },
             kUnchanged(519, 128, 647), "Please type hex number"},
    ReadCase{"HexOverTheFieldKeepsFieldAndCount",
             [](ReadControls& w) {
                 w.check(1062, true);
                 w.type(1056, std::string(258, 'a').c_str());
             },
             kUnchanged(782, 128, 910), "Please type at most 128 bytes of hex"},
    ReadCase{"TextDataOverTheFieldKeepsFieldAndCount",
             [](ReadControls& w) {
                 w.check(1039, false);
                 w.type(1030, std::string(129, 'd').c_str());
             },
             kUnchanged(388, 128, 516), "数据最多128字节"},
    ReadCase{"TextDataCountsItsGbkBytes",
             [](ReadControls& w) {
                 w.check(1038, false);
                 w.type(1033, "注册ab");
             },
             [](const DeviceRecord&, const DeviceRecord& r) {
                 EXPECT_EQ(r.u8(647), 6);
                 EXPECT_EQ(r.text(519, 128), gbk("注册ab"));
             }},
    ReadCase{"AListWithNothingChosenKeepsItsField",
             [](ReadControls& w) {
                 findControl<QComboBox>(w.window, 1014)->setCurrentIndex(-1);
                 findControl<QComboBox>(w.window, 1297)->setCurrentIndex(-1);
             },
             [](const DeviceRecord& before, const DeviceRecord& r) {
                 EXPECT_EQ(r.u8(27), before.u8(27));
                 EXPECT_EQ(r.u8(12482), before.u8(12482));
             }},
    ReadCase{"DataBitsStoreTheNumberOfBits",
             [](ReadControls& w) { findControl<QComboBox>(w.window, 1016)->setCurrentIndex(2); },
             [](const DeviceRecord&, const DeviceRecord& r) { EXPECT_EQ(r.u8(29), 9); }},
    ReadCase{"CanRateTypedIntoItsList",
             [](ReadControls& w) {
                 findControl<QComboBox>(w.window, 1288)->setCurrentText(QStringLiteral("33333"));
             },
             [](const DeviceRecord&, const DeviceRecord& r) { EXPECT_EQ(r.u32(12168), 33333u); }},
    ReadCase{"AccessLockStoresItsMark",
             [](ReadControls& w) {
                 w.check(1095, true);
                 w.check(1069, true);
             },
             [](const DeviceRecord&, const DeviceRecord& r) {
                 EXPECT_EQ(r.u8(3582), 0x78);
                 EXPECT_EQ(r.u8(40), 1);
             }},
    ReadCase{"AddressesFirstOctetFirst", [](ReadControls& w) { w.type(1010, "203.0.113.254"); },
             [](const DeviceRecord&, const DeviceRecord& r) {
                 EXPECT_EQ(r.u8(13), 203);
                 EXPECT_EQ(r.u8(16), 254);
             }},
};

INSTANTIATE_TEST_SUITE_P(Fields, ReadCases, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
}  // namespace norvane::ui
