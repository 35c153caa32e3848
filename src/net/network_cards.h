#pragma once

#include <QHostAddress>
#include <QString>
#include <vector>

namespace norvane::net {

// One IPv4 address of one network card: what the card list offers and what choosing it binds.
struct NetworkCard {
    QHostAddress address;
    QString description;
    int interfaceIndex = 0;
};

// Every IPv4 address of every card, card by card in the system's order; a card with two addresses gives two
// entries with the same description. The loopback is no card a module can sit behind, so it is left out.
std::vector<NetworkCard> networkCards();

}  // namespace norvane::net
