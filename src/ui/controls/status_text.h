#pragma once

#include <QLabel>

namespace norvane::ui {

// A text the window changes as things happen: the status line, the module clock, a connection state. Its
// accessible name says what it is and its accessible description carries the text as shown, so a screen
// reader reads the current text, not a fixed name.
class StatusText final : public QLabel {
    Q_OBJECT
  public:
    StatusText(const QString& accessibleName, const QString& initialText, QWidget* parent = nullptr);

    // Shows the text as given: never read as rich text, whatever a module reports.
    void setShownText(const QString& text);
};

}  // namespace norvane::ui
