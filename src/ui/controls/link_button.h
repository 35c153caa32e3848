#pragma once

#include <QPushButton>

namespace norvane::ui {

// A short text that acts when clicked, as the window's "设置" links beside the features do: flat, as wide as
// its text, with the pointing hand, but a real button for the keyboard and for screen readers.
class LinkButton final : public QPushButton {
    Q_OBJECT
  public:
    explicit LinkButton(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

}  // namespace norvane::ui
