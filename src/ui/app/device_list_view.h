#pragma once

#include <QTableView>

namespace norvane::ui {

// The device list 1007: whole rows with grid lines, one selected at a time, the selected row drawn in the
// colour red 0x33 green 0x99 blue 0xFF with the text colour left as it is. A click on empty space leaves no
// row selected.
class DeviceListView final : public QTableView {
    Q_OBJECT
  public:
    explicit DeviceListView(QWidget* parent = nullptr);

    // The first selected row, or -1.
    int selectedRow() const;
    // Selects a row and makes it the current one, as the newest module is during a search.
    void selectAndShow(int row);

  Q_SIGNALS:
    // The user clicked the list (on a row or beside every row) or moved the selection with the keyboard.
    void picked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace norvane::ui
