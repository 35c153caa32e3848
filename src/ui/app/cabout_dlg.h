#pragma once

#include <QDialog>

namespace norvane::ui {

// "关于 dorn": the icon, the version line and "确定".
class CAboutDlg final : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace norvane::ui
