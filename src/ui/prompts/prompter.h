#pragma once

#include <QString>

class QWidget;

namespace norvane::ui {

// Every message box of the tool goes through this, so that tests can answer them and catch any they did not
// expect. The application shows real message boxes.
class Prompter {
  public:
    virtual ~Prompter() = default;

    // A message the user closes with OK. Returns once it is closed; replies keep being handled meanwhile.
    virtual void inform(QWidget* parent, const QString& text) = 0;
};

}  // namespace norvane::ui
