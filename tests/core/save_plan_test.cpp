#include <gtest/gtest.h>

#include "record/save_frame.h"
#include "save_test_records.h"

namespace norvane::record {
namespace {

using protocol::Route;
using testing::knownRecord;
using testing::recordWithScript;

Bytes joined(const std::vector<Bytes>& pieces) {
    Bytes out;
    for (const Bytes& p : pieces) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Pieces of 1024 bytes but the last, which is not empty; together they are the frame.
void expectPiecesOf(const SavePlan& plan, const Bytes& frame) {
    ASSERT_FALSE(plan.refused()) << plan.refusal;
    EXPECT_TRUE(plan.refusal.empty());
    ASSERT_EQ(plan.datagrams.size(), (frame.size() + 1023) / 1024);
    for (std::size_t i = 0; i + 1 < plan.datagrams.size(); ++i) EXPECT_EQ(plan.datagrams[i].size(), 1024u);
    EXPECT_FALSE(plan.datagrams.back().empty());
    EXPECT_EQ(joined(plan.datagrams), frame);
}

TEST(FirmwareNumber, ReadsTheDigitsAfterTheFirstCharacter) {
    struct Case {
        const char* text;
        std::int64_t number;
    };
    for (const Case& c : {Case{"V10027", 10027}, Case{"V10028", 10028}, Case{"V10030abc", 10030},
                          Case{"V", 0}, Case{"", 0}, Case{"Vx12", 0}, Case{"10028", 28}})
        EXPECT_EQ(firmwareNumber(c.text), c.number) << c.text;
}

TEST(SavePlan, SendsWholeUpTo10027AndInPiecesAbove) {
    struct Case {
        const char* firmware;
        bool pieces;
    };
    for (const Case& c : {Case{"V10027", false}, Case{"V10028", true}, Case{"V", false}, Case{"", false},
                          Case{"V20001", true}}) {
        DeviceRecord r = knownRecord();
        r.setText(1048, 64, c.firmware);
        const Bytes frame = saveFrame(r, Route::Local);
        ASSERT_GT(frame.size(), 1024u);
        const SavePlan plan = planSave(r, Route::Local);
        if (c.pieces) {
            expectPiecesOf(plan, frame);
        } else {
            ASSERT_EQ(plan.datagrams.size(), 1u) << c.firmware;
            EXPECT_EQ(plan.datagrams[0], frame) << c.firmware;
        }
    }
}

TEST(SavePlan, AFrameOfWholePiecesEndsWithAFullPiece) {
    const std::size_t base = saveFrame(recordWithScript(0, "V10030"), Route::Local).size();
    ASSERT_LT(base, 2048u);
    const DeviceRecord r = recordWithScript(2048 - base, "V10030");
    const Bytes frame = saveFrame(r, Route::Local);
    ASSERT_EQ(frame.size(), 2048u);
    const SavePlan plan = planSave(r, Route::Local);
    expectPiecesOf(plan, frame);
    EXPECT_EQ(plan.datagrams.size(), 2u);
}

TEST(SavePlan, OneDatagramFirmwareTakesAt4096BytesAndRefusesMore) {
    const std::size_t base = saveFrame(recordWithScript(0, "V10020"), Route::Local).size();
    const DeviceRecord fits = recordWithScript(4096 - base, "V10020");
    ASSERT_EQ(saveFrame(fits, Route::Local).size(), 4096u);
    const SavePlan whole = planSave(fits, Route::Local);
    ASSERT_EQ(whole.datagrams.size(), 1u);
    EXPECT_EQ(whole.datagrams[0], saveFrame(fits, Route::Local));

    const DeviceRecord over = recordWithScript(4097 - base, "V10020");
    const SavePlan refused = planSave(over, Route::Local);
    EXPECT_TRUE(refused.refused());
    EXPECT_TRUE(refused.datagrams.empty());
    EXPECT_EQ(refused.refusal, "配置数据过长(4097字节)，该固件版本一次最多接收4096字节：顺序控制主程序" +
                                   std::to_string(4097 - base) + "字节");
}

TEST(SavePlan, RefusalNamesTheLargestPartsFirst) {
    DeviceRecord r = recordWithScript(1500, "V10020");
    testing::setScriptLength(r, 7680, 2000);
    r.setText(186, 64, "Workshop 1");          // 10 bytes
    r.setText(1241, 128, "mqtt.example.com");  // 16 bytes
    r.setText(388, 128, "hb");
    r.setU8(516, 2);  // 2 bytes of heartbeat data
    const SavePlan plan = planSave(r, Route::Local);
    ASSERT_TRUE(plan.refused());
    const std::string size = std::to_string(saveFrame(r, Route::Local).size());
    EXPECT_EQ(plan.refusal, "配置数据过长(" + size +
                                "字节)，该固件版本一次最多接收4096字节：顺序控制触发程序2000字节，"
                                "顺序控制主程序1500字节，文本和数据28字节");
}

TEST(SavePlan, PiecedFirmwareTakesTheSameLongFrameAtItsTrueSize) {
    DeviceRecord r = recordWithScript(3000, "V10020");
    testing::setScriptLength(r, 7680, 2000);
    ASSERT_TRUE(planSave(r, Route::Local).refused());
    r.setText(1048, 64, "V10030");
    const Bytes frame = saveFrame(r, Route::CrossRouter);
    ASSERT_GT(frame.size(), 5000u);
    expectPiecesOf(planSave(r, Route::CrossRouter), frame);
}

}  // namespace
}  // namespace norvane::record
