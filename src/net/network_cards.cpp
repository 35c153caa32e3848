#include "network_cards.h"

#include <QNetworkInterface>

namespace norvane::net {

std::vector<NetworkCard> networkCards() {
    std::vector<NetworkCard> cards;
    for (const QNetworkInterface& card : QNetworkInterface::allInterfaces()) {
        if (card.flags().testFlag(QNetworkInterface::IsLoopBack)) continue;
        for (const QNetworkAddressEntry& entry : card.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol) continue;
            cards.push_back({entry.ip(), card.humanReadableName(), card.index()});
        }
    }
    return cards;
}

}  // namespace norvane::net
