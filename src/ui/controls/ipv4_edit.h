#pragma once

#include <QLineEdit>
#include <array>
#include <cstdint>

namespace norvane::ui {

// An IPv4 address typed as four dotted numbers of 0 to 255, as the window's address fields take it.
class Ipv4Edit final : public QLineEdit {
    Q_OBJECT
  public:
    using Octets = std::array<std::uint8_t, 4>;

    explicit Ipv4Edit(QWidget* parent = nullptr);

    void setAddress(const Octets& octets);
    // The octets typed; an octet left blank reads as 0, as an address field gives it.
    Octets address() const;
};

}  // namespace norvane::ui
