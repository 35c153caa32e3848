// The widgets' application for the tests of every window, with the look the tool runs with; registered
// before any test runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>
#include <memory>

namespace {

class QtWidgetsEnvironment final : public testing::Environment {
  public:
    void SetUp() override {
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[8] = "ui";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kRegistered = testing::AddGlobalTestEnvironment(new QtWidgetsEnvironment);

}  // namespace
