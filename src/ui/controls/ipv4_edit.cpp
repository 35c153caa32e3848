#include "controls/ipv4_edit.h"

#include <QValidator>
#include <algorithm>

namespace norvane::ui {
namespace {

constexpr int kOctets = 4;
constexpr int kOctetMax = 255;

// Up to four dot-separated numbers of at most three digits and 255; complete when all four are there.
class Ipv4Validator final : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        const QStringList parts = input.split(QLatin1Char('.'));
        if (parts.size() > kOctets) return Invalid;
        bool complete = parts.size() == kOctets;
        for (const QString& part : parts) {
            if (part.isEmpty()) {
                complete = false;
                continue;
            }
            const bool digits = std::ranges::all_of(part, [](QChar c) { return c >= u'0' && c <= u'9'; });
            if (!digits || part.size() > 3 || part.toInt() > kOctetMax) return Invalid;
        }
        return complete ? Acceptable : Intermediate;
    }
};

}  // namespace

Ipv4Edit::Ipv4Edit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new Ipv4Validator(this));
    // The longest address stays whole, with room for the frame and the cursor.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")) + 16);
}

void Ipv4Edit::setAddress(const Octets& octets) {
    setText(QStringLiteral("%1.%2.%3.%4")
                .arg(int{octets[0]})
                .arg(int{octets[1]})
                .arg(int{octets[2]})
                .arg(int{octets[3]}));
}

Ipv4Edit::Octets Ipv4Edit::address() const {
    Octets octets{};
    const QStringList parts = text().split(QLatin1Char('.'));
    for (int i = 0; i < kOctets && i < parts.size(); ++i)
        octets[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(parts[i].toUInt());
    return octets;
}

}  // namespace norvane::ui
