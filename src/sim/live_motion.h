#pragma once

#include <chrono>
#include <cstdint>

#include "bytes.h"
#include "record/device_record.h"

// How a virtual module's live state moves with time and follows the control panel's writes. Time goes in
// steps; everything here is a plain function of the step, so that tests know what a module shows.
namespace norvane::sim {

// Whether input `input` (0 for X0) is high at `step`: each input is a square wave of its own period.
bool inputHigh(std::size_t input, std::int64_t step);
// Analogue channel `channel`'s raw count at `step`: a triangle between 200 and 1800.
std::uint16_t readingAt(std::size_t channel, std::int64_t step);

// Moves the inputs and readings to step `to`, and adds to each counter its input's rising edges after step
// `from` up to `to`.
void advanceLiveState(record::DeviceRecord& record, std::int64_t from, std::int64_t to);

// Moves the module clock on by whole seconds, the weekday with it. A clock that holds no valid time is left
// as it is: false.
bool advanceClock(record::DeviceRecord& record, std::chrono::seconds by);

// A write of item 0x51: 0 opens an output, 1 closes it, any other byte leaves it.
void switchOutputs(record::DeviceRecord& record, ByteView commands);
// A write of item 0x53: a byte of 3 clears its counter, any other byte leaves it.
void clearCounters(record::DeviceRecord& record, ByteView commands);

// Whether a request is a write that sets item 0x07 (debug mode) to 1.
bool turnsDebugModeOn(ByteView request);

}  // namespace norvane::sim
