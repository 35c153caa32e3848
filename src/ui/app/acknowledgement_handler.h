#pragma once

#include <cstdint>

#include "bytes.h"

namespace norvane::ui {

// What the main window does when a module acknowledges a write (0x84), a factory reset (0x85) or a reboot
// (0x86): the maintenance commands end their waiting operation here.
class AcknowledgementHandler {
  public:
    virtual ~AcknowledgementHandler() = default;
    virtual void acknowledged(std::uint8_t code, const MacAddress& mac) = 0;
};

}  // namespace norvane::ui
