#include "live/debug.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/control_id.h"
#include "controls/status_text.h"

namespace norvane::ui {

debug::debug(net::DebugListener::Options listener, std::size_t maxRows, QWidget* parent)
    : QDialog(parent), listener_(listener), port_(listener.port), model_(maxRows) {
    setWindowTitle(QStringLiteral("DEBUG"));
    setModal(false);

    stopShowing_ = new QCheckBox(QStringLiteral("停止显示"), this);
    stopShowing_->setObjectName(controlName(kStopShowing));
    autoScroll_ = new QCheckBox(QStringLiteral("自动滚动"), this);
    autoScroll_->setObjectName(controlName(kAutoScroll));
    auto* clear = new QPushButton(QStringLiteral("清除"), this);
    clear->setObjectName(controlName(kClear));
    clear->setAutoDefault(false);
    count_ = new StatusText(QStringLiteral("行数"), {}, this);

    list_ = new QTableView(this);
    list_->setObjectName(controlName(kList));
    list_->setAccessibleName(QStringLiteral("调试数据报"));
    list_->setModel(&model_);
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setWordWrap(false);
    list_->setTextElideMode(Qt::ElideRight);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setSectionsClickable(false);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {60, 200, 80, 400, 400};
    for (int c = 0; c < DebugRowModel::ColumnCount; ++c) list_->setColumnWidth(c, widths[c]);
    list_->setToolTip(QStringLiteral("最多保留 %1 行，超出时先删除最早的行").arg(model_.maxRows()));

    detail_ = new QPlainTextEdit(this);
    detail_->setObjectName(controlName(kDetail));
    detail_->setAccessibleName(QStringLiteral("详细内容"));
    detail_->setReadOnly(true);
    detail_->setMaximumHeight(160);

    auto* controls = new QHBoxLayout;
    controls->addWidget(stopShowing_);
    controls->addWidget(autoScroll_);
    controls->addWidget(clear);
    controls->addStretch();
    controls->addWidget(count_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(list_, 1);
    layout->addWidget(detail_);
    resize(1200, 600);

    connect(&listener_, &net::DebugListener::datagramsArrived, this, &debug::takeDatagrams);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &debug::showSelected);
    connect(clear, &QPushButton::clicked, this, [this] {
        model_.clear();
        showCount();
    });
    showCount();
}

void debug::takeDatagrams() {
    std::vector<net::DebugDatagram> batch = listener_.takeReceived();
    // Dropped while "停止显示" is checked: neither listed nor counted.
    if (batch.empty() || stopShowing_->isChecked()) return;
    model_.append(std::move(batch));
    if (autoScroll_->isChecked()) list_->scrollToBottom();
    showCount();
}

void debug::showSelected() {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        detail_->clear();
        return;
    }
    // With several rows selected, the last of them.
    const auto last = std::ranges::max(selected, {}, &QModelIndex::row);
    detail_->setPlainText(model_.detail(last.row()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void debug::showCount() {
    QString text = QStringLiteral("%1 行，最多保留 %2 行").arg(model_.rowCount()).arg(model_.maxRows());
    if (model_.dropped() > 0) text += QStringLiteral("，已删除最早的 %1 行").arg(model_.dropped());
    if (!listener_.listening()) text.prepend(QStringLiteral("无法监听 UDP 端口 %1；").arg(port_));
    count_->setShownText(text);
}

debug& showDebugMonitor() {
    static QPointer<debug> monitor;
    if (!monitor) {
        monitor = new debug(net::DebugListener::Options{});
        // Its listener's thread ends with it, before the application does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { delete monitor.data(); });
    }
    monitor->show();
    monitor->raise();
    monitor->activateWindow();
    return *monitor;
}

}  // namespace norvane::ui
