// The control panel on the offscreen platform against a virtual module over real UDP: it polls, shows the
// module's live state, switches its outputs and clears its counters.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "controls/control_id.h"
#include "live/ctrl.h"
#include "live/picture_button.h"
#include "live/reading_text.h"
#include "live_fixture.h"
#include "record/layout.h"

namespace norvane::ui {
namespace {

using namespace std::chrono_literals;
using live_test::waitFor;

constexpr std::size_t kOutputs = record::offset::kStatusArea + 64;
constexpr std::size_t kReadings = record::offset::kStatusArea + 128;
constexpr std::size_t kCounters = record::offset::kStatusArea + 256;

// Two modules whose time the test moves; the panel opens on the first.
class ControlPanel : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(modules.start());
        ASSERT_TRUE(modules.search());
        panel = std::make_unique<ctrl>(*modules.link, modules.list[0], QHostAddress(), modules.mirror);
        panel->show();
    }

    PictureButton* input(int n) const {
        return findControl<PictureButton>(*panel, ctrl::kFirstInput + n - 1);
    }
    PictureButton* output(int n) const {
        return findControl<PictureButton>(*panel, ctrl::kFirstOutput + n - 1);
    }
    QLabel* counter(int n) const { return findControl<QLabel>(*panel, ctrl::kFirstCounter + n - 1); }
    QLabel* reading(int n) const { return findControl<QLabel>(*panel, ctrl::kFirstReading + n - 1); }
    QPushButton* button(int id) const { return findControl<QPushButton>(*panel, id); }
    record::DeviceRecord module() const { return modules.host->record(0); }

    // What the panel shows of the module once a poll after now has been answered and drawn.
    bool shows(const std::function<bool()>& condition) { return waitFor(condition); }

    QStringList inputPictures() const {
        QStringList shown;
        for (int n = 1; n <= 32; ++n)
            shown << (input(n)->picture() == LivePicture::GreenDot ? u"1"_qs : u"0"_qs);
        return shown;
    }
    QStringList counterTexts() const {
        QStringList shown;
        for (int n = 1; n <= 32; ++n) shown << counter(n)->text();
        return shown;
    }
    QStringList moduleCounters() const {
        QStringList counters;
        const record::DeviceRecord r = module();
        for (std::size_t i = 0; i < 32; ++i) counters << QString::number(r.u32(kCounters + 4 * i));
        return counters;
    }

    live_test::LiveModules modules{2, true};
    std::unique_ptr<ctrl> panel;
};

TEST_F(ControlPanel, ShowsTheModulesInputsAndCountersAsTheyMove) {
    ASSERT_TRUE(shows([&] { return counterTexts() == moduleCounters(); })) << "the first poll drawn";
    const QStringList before = inputPictures();
    const QStringList countedBefore = counterTexts();
    modules.advance(1500ms);
    ASSERT_TRUE(shows([&] { return counterTexts() != countedBefore && counterTexts() == moduleCounters(); }));
    EXPECT_NE(inputPictures(), before);
    const record::DeviceRecord r = module();
    for (int n = 1; n <= 32; ++n)
        EXPECT_EQ(input(n)->picture() == LivePicture::GreenDot,
                  r.u8(record::offset::kStatusArea + static_cast<std::size_t>(n) - 1) != 0)
            << "X" << n;
    EXPECT_EQ(modules.list[1].u32(kCounters), 0u) << "the other module is not polled";
}

TEST_F(ControlPanel, ClickingY5ClosesTheModulesY5AndALaterPollShowsIt) {
    const record::DeviceRecord before = module();
    ASSERT_EQ(before.u8(kOutputs + 4), 0);
    QTest::mouseClick(output(5), Qt::LeftButton);
    EXPECT_EQ(output(5)->picture(), LivePicture::ClosedContact) << "drawn at the click";
    ASSERT_TRUE(waitFor([&] { return module().u8(kOutputs + 4) == 1; }));
    for (const std::size_t other : {0u, 3u, 5u, 31u})
        EXPECT_EQ(module().u8(kOutputs + other), before.u8(kOutputs + other))
            << "Y" << other + 1 << " unchanged";
    ASSERT_TRUE(waitFor([&] { return modules.mirror.output(4) == 1; })) << "reported by a later poll";
    QTest::qWait(100);
    EXPECT_EQ(output(5)->picture(), LivePicture::ClosedContact);
    EXPECT_EQ(output(5)->accessibleDescription(), u"闭合"_qs);

    QTest::mouseClick(output(5), Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return module().u8(kOutputs + 4) == 0; })) << "a second click opens it";
}

TEST_F(ControlPanel, AllOnClosesAllThirtyTwoAndAllOffOpensThem) {
    const auto allOutputs = [&](std::uint8_t state) {
        const record::DeviceRecord r = module();
        for (std::size_t i = 0; i < 32; ++i)
            if (r.u8(kOutputs + i) != state) return false;
        return true;
    };
    QTest::mouseClick(button(ctrl::kAllClosed), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return allOutputs(1); }));
    ASSERT_TRUE(waitFor([&] { return modules.mirror.output(31) == 1; }));
    QTest::qWait(100);
    for (int n = 1; n <= 32; ++n) EXPECT_EQ(output(n)->picture(), LivePicture::ClosedContact) << "Y" << n;

    QTest::mouseClick(button(ctrl::kAllOpen), Qt::LeftButton);
    for (int n = 1; n <= 32; ++n) EXPECT_EQ(output(n)->picture(), LivePicture::OpenContact) << "Y" << n;
    EXPECT_TRUE(waitFor([&] { return allOutputs(0); }));
}

TEST_F(ControlPanel, APictureChangedByAClickStaysUntilTheModuleReportsAChange) {
    modules.host->faults().setAckWithoutApplying(true);
    QTest::mouseClick(output(7), Qt::LeftButton);
    QTest::qWait(600);  // three polls report Y7 still open
    EXPECT_EQ(output(7)->picture(), LivePicture::ClosedContact);
}

TEST_F(ControlPanel, ClearZeroesTheCounters) {
    modules.advance(3s);
    ASSERT_TRUE(shows([&] { return counter(1)->text() != u"0"_qs && counterTexts() == moduleCounters(); }));
    QTest::mouseClick(button(ctrl::kClearCounters), Qt::LeftButton);
    const QStringList zeros(32, u"0"_qs);
    ASSERT_TRUE(waitFor([&] { return moduleCounters() == zeros; }));
    EXPECT_TRUE(shows([&] { return counterTexts() == zeros; }));
}

TEST_F(ControlPanel, ReadingsFollowTheRangeSelector) {
    const std::uint16_t raw = module().u16(kReadings + 2 * 2);
    ASSERT_TRUE(shows([&] { return reading(3)->text() == QString::number(raw); })) << "档位:ADC first";
    auto* range = panel->findChild<QComboBox*>();
    range->setCurrentIndex(3);
    EXPECT_TRUE(shows([&] {
        return reading(3)->text() ==
               QString::fromStdString(live::readingText(raw, live::ReadingRange::Voltage10V));
    }));
    EXPECT_EQ(range->currentText(), u"档位:0-10V"_qs);
}

TEST_F(ControlPanel, AModuleThatStopsAnsweringLeavesTheLastValues) {
    ASSERT_TRUE(shows([&] { return counterTexts() == moduleCounters(); }));
    modules.host->faults().setSilent(true);
    const QStringList shown = counterTexts();
    modules.advance(3s);
    QTest::qWait(500);
    EXPECT_EQ(counterTexts(), shown);
}

TEST_F(ControlPanel, AltJShowsTheCalibrationButtonsWhichReadTheModulesCalibration) {
    QPushButton* status = button(ctrl::kCalibrationStatus);
    QPushButton* values = button(ctrl::kCalibrationValues);
    EXPECT_FALSE(status->isVisible());
    EXPECT_FALSE(values->isVisible());
    // The chord works wherever the focus is in the active panel.
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    QTest::keyClick(panel.get(), Qt::Key_K, Qt::AltModifier);
    EXPECT_FALSE(status->isVisible()) << "another letter does nothing";
    auto* range = panel->findChild<QComboBox*>();
    range->setFocus();
    QTest::keyClick(range, Qt::Key_J, Qt::AltModifier);
    ASSERT_TRUE(status->isVisible());
    ASSERT_TRUE(values->isVisible());
    EXPECT_EQ(status->text(), u" 校准"_qs);
    EXPECT_EQ(values->text(), u"查看校准参数"_qs);

    QTest::mouseClick(status, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return std::ranges::count(modules.readTags, 0xB3) == 1; }));
    QTest::mouseClick(values, Qt::LeftButton);
    EXPECT_TRUE(waitFor([&] { return std::ranges::count(modules.readTags, 0xB4) == 1; }));
}

TEST_F(ControlPanel, NamesItsControlsAndFitsTheScreen) {
    for (const QString& name :
         {u"X5"_qs, u"Y5"_qs, u"计数 X5"_qs, u"A3"_qs, u"全开"_qs, u"全关"_qs, u"清除"_qs}) {
        const auto named = panel->findChildren<QWidget*>();
        const auto found = std::ranges::count_if(named, [&](QWidget* w) {
            return w->accessibleName() == name ||
                   (w->accessibleName().isEmpty() && qobject_cast<QPushButton*>(w) &&
                    static_cast<QPushButton*>(w)->text() == name);
        });
        EXPECT_EQ(found, 1) << qPrintable(name);
    }
    EXPECT_EQ(counter(5)->accessibleName(), u"计数 X5"_qs);
    const QSize needed = panel->minimumSizeHint();
    EXPECT_LE(needed.width(), 1366);
    EXPECT_LE(needed.height(), 700);
}

}  // namespace
}  // namespace norvane::ui
