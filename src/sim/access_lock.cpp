#include "sim/access_lock.h"

namespace norvane::sim {

bool isLocked(const record::DeviceRecord& record) {
    return record.u8(record::offset::kAccessLock) == record::kAccessLockOn;
}

bool admits(const record::DeviceRecord& record, const std::optional<std::string>& credentialText) {
    if (!isLocked(record)) return true;
    if (!credentialText) return false;
    const auto user = record.text(record::offset::kUserName, record::offset::kTextWidth);
    const auto password = record.text(record::offset::kPassword, record::offset::kTextWidth);
    return *credentialText == std::string(user) + std::string(password);
}

void setAccessLock(record::DeviceRecord& record, const protocol::LockCredentials& credentials) {
    record.setText(record::offset::kUserName, record::offset::kTextWidth, credentials.user);
    record.setText(record::offset::kPassword, record::offset::kTextWidth, credentials.password);
    record.setU8(record::offset::kAccessLock, record::kAccessLockOn);
}

}  // namespace norvane::sim
