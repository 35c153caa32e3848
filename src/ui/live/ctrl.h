#pragma once

#include <QDialog>
#include <QHostAddress>
#include <QTimer>
#include <array>

#include "device_link.h"
#include "live/live_frames.h"
#include "live/live_state_mirror.h"
#include "live/panel_redraw.h"
#include "record/device_record.h"

class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace norvane::ui {

class PictureButton;

// The control panel: one module's 32 inputs, 32 relay outputs, 8 analogue readings and 32 counters, live.
// It polls the module every 200 ms and redraws from the live-state mirror every 50 ms; the owner's reply
// handler refreshes the mirror. A click on an output switches it at once; "全开" and "全关" switch all,
// "清除" clears the counters. Alt+J shows the two hidden calibration buttons.
class ctrl final : public QDialog {
    Q_OBJECT
  public:
    // Ids of the controls.
    static constexpr int kFirstInput = 60001, kFirstOutput = 62001, kAllClosed = 62033, kAllOpen = 62034;
    static constexpr int kFirstReading = 64001, kFirstCounter = 65001, kClearCounters = 65033;
    static constexpr int kCalibrationStatus = 1040, kCalibrationValues = 1041;

    // `destination` is the module's address, or a null address for the broadcast. The panel makes the mirror
    // follow the module, from its record, at once.
    ctrl(net::DeviceLink& link, const record::DeviceRecord& record, const QHostAddress& destination,
         live::LiveStateMirror& mirror, QWidget* parent = nullptr);

    // Timer 2's work: shows the mirror's state.
    void redraw();

  private:
    void buildInputsAndOutputs(QVBoxLayout& layout);
    void buildCounters(QVBoxLayout& layout);
    void buildReadings(QVBoxLayout& layout);
    void buildCalibration(QVBoxLayout& layout);
    void send(const Bytes& frame);
    void outputClicked(std::size_t output);
    void switchAll(bool close);
    live::ReadingRange range() const;

    net::DeviceLink& link_;
    MacAddress mac_;
    QHostAddress destination_;
    live::LiveStateMirror& mirror_;
    live::DrawnOutputs drawn_;

    std::array<PictureButton*, live::kPoints> inputs_{};
    std::array<PictureButton*, live::kPoints> outputs_{};
    std::array<QLabel*, live::kPoints> counters_{};
    std::array<QLabel*, live::kReadings> readings_{};
    QComboBox* range_ = nullptr;
    std::array<QPushButton*, 2> calibration_{};

    QTimer poll_;    // timer 1
    QTimer redraw_;  // timer 2
};

}  // namespace norvane::ui
