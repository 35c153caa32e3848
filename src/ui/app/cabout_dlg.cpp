#include "app/cabout_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/control_id.h"

namespace norvane::ui {
namespace {
constexpr int kIconSize = 32;
constexpr int kOk = 1;
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("关于 dorn"));
    auto* icon = new QLabel;
    icon->setPixmap(windowIcon().pixmap(kIconSize, kIconSize));
    auto* text = new QLabel(QStringLiteral("dorn，1.0 版"));
    auto* ok = new QPushButton(QStringLiteral("确定"));
    ok->setObjectName(controlName(kOk));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);
    top->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    setFixedSize(sizeHint());
}

}  // namespace norvane::ui
