#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <deque>

#include "prompts/prompter.h"

namespace norvane::ui::test {

// Answers the message boxes a test expects, in order, and fails the test on any other.
class ScriptedPrompter final : public Prompter {
  public:
    ~ScriptedPrompter() override {
        for (const QString& text : expected_)
            ADD_FAILURE() << "message box never shown: " << qPrintable(text);
    }

    void expect(const QString& text) { expected_.push_back(text); }
    bool satisfied() const { return expected_.empty(); }

    void inform(QWidget*, const QString& text) override {
        if (expected_.empty()) {
            ADD_FAILURE() << "unexpected message box: " << qPrintable(text);
            return;
        }
        EXPECT_EQ(text, expected_.front());
        expected_.pop_front();
    }

  private:
    std::deque<QString> expected_;
};

}  // namespace norvane::ui::test
