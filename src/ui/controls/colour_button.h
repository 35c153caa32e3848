#pragma once

#include <QPushButton>

namespace norvane::ui {

// A push button drawn in a background colour of its own, at rest and when focused; under the pointer it
// keeps the system's button colour.
class ColourButton final : public QPushButton {
    Q_OBJECT
  public:
    explicit ColourButton(const QString& text, QWidget* parent = nullptr);

    void setColours(const QColor& atRest, const QColor& focused);
    QColor atRest() const { return atRest_; }
    QColor focused() const { return focused_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor atRest_;
    QColor focused_;
};

}  // namespace norvane::ui
