#include "live/panel_redraw.h"

namespace norvane::live {

std::vector<DrawnOutputs::Change> DrawnOutputs::update(const std::array<std::uint8_t, kPoints>& reported) {
    std::vector<Change> changes;
    for (std::size_t i = 0; i < kPoints; ++i)
        if (reported[i] != drawn_[i]) changes.push_back({i, reported[i] != 0});
    drawn_ = reported;
    return changes;
}

PanelRedraw panelRedraw(const LiveStateMirror& mirror, ReadingRange range, DrawnOutputs& drawn) {
    PanelRedraw redraw;
    for (std::size_t i = 0; i < kPoints; ++i) {
        redraw.inputsHigh[i] = mirror.inputHigh(i);
        redraw.counters[i] = counterText(mirror.counter(i));
    }
    redraw.outputChanges = drawn.update(mirror.outputs());
    for (std::size_t m = 0; m < kReadings; ++m) redraw.readings[m] = readingText(mirror.reading(m), range);
    return redraw;
}

}  // namespace norvane::live
