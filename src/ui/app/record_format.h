#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "bytes.h"

namespace norvane::ui {

// "%02X-%02X-%02X-%02X-%02X-%02X"
inline QString macText(const MacAddress& mac) {
    QStringList parts;
    for (const std::uint8_t byte : mac) parts << QStringLiteral("%1").arg(int{byte}, 2, 16, QLatin1Char('0'));
    return parts.join(QLatin1Char('-')).toUpper();
}

// "%d.%d.%d.%d"
inline QString ipv4Text(const std::array<std::uint8_t, 4>& address) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(int{address[0]})
        .arg(int{address[1]})
        .arg(int{address[2]})
        .arg(int{address[3]});
}

}  // namespace norvane::ui
