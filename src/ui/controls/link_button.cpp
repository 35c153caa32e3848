#include "controls/link_button.h"

namespace norvane::ui {
namespace {
constexpr int kPadding = 4;
}

LinkButton::LinkButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
}

// A push button's style keeps a minimum width for its frame; a link has none.
QSize LinkButton::sizeHint() const {
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, this->text());
    return {text.width() + 2 * kPadding, text.height() + kPadding};
}

QSize LinkButton::minimumSizeHint() const {
    return sizeHint();
}

}  // namespace norvane::ui
