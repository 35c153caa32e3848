#pragma once

#include <QAbstractButton>

#include "live/live_pictures.h"

namespace norvane::ui {

// A push button that shows one of the panel's pictures, redrawn only when the picture changes. Its
// accessible description tells the state the picture shows.
class PictureButton final : public QAbstractButton {
    Q_OBJECT
  public:
    PictureButton(int id, const QString& accessibleName, LivePicture picture, QWidget* parent = nullptr);

    LivePicture picture() const { return picture_; }
    void setPicture(LivePicture picture);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    LivePicture picture_;
};

}  // namespace norvane::ui
