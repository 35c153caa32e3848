#pragma once

#include <QApplication>
#include <QSize>
#include <QTranslator>
#include <memory>

#include "prompts/message_box_prompter.h"

namespace norvane::ui {

class CdornDlg;

// The application: one look on every desktop, Qt's own buttons in Chinese, and the main window, whose
// closing ends it.
class CdornApp final {
  public:
    CdornApp(int& argc, char** argv);
    ~CdornApp();

    CdornDlg& window() { return *window_; }

    // Shows the main window (at `size`, or as large as it wants within the screen) and runs until it closes.
    int run(QSize size = {});

  private:
    QApplication app_;
    QTranslator qtTexts_;
    MessageBoxPrompter prompter_;
    std::unique_ptr<CdornDlg> window_;
};

}  // namespace norvane::ui
