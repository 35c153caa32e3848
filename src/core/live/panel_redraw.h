#pragma once

#include <array>
#include <string>
#include <vector>

#include "live/live_state_mirror.h"
#include "live/reading_text.h"

namespace norvane::live {

// The output states the panel drew last. A picture changed by a click stays as the click left it until the
// module reports a change of that output.
class DrawnOutputs final {
  public:
    struct Change {
        std::size_t output;
        bool closed;
    };
    // The outputs whose reported byte differs from the one drawn last, each with the picture it now shows;
    // the reported bytes become the ones drawn.
    std::vector<Change> update(const std::array<std::uint8_t, kPoints>& reported);

  private:
    std::array<std::uint8_t, kPoints> drawn_{};
};

// What one redraw of the panel shows: every input, the outputs whose report changed, and the texts of the
// readings and counters.
struct PanelRedraw {
    std::array<bool, kPoints> inputsHigh{};
    std::vector<DrawnOutputs::Change> outputChanges;
    std::array<std::string, kReadings> readings;
    std::array<std::string, kPoints> counters;
};

PanelRedraw panelRedraw(const LiveStateMirror& mirror, ReadingRange range, DrawnOutputs& drawn);

}  // namespace norvane::live
