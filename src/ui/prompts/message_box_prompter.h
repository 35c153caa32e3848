#pragma once

#include "prompts/prompter.h"

namespace norvane::ui {

class MessageBoxPrompter final : public Prompter {
  public:
    void inform(QWidget* parent, const QString& text) override;
};

}  // namespace norvane::ui
