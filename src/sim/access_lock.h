#pragma once

#include <optional>
#include <string>

#include "protocol/lock_prefix.h"
#include "record/device_record.h"

namespace norvane::sim {

// A module's lock is on when its record's lock byte reads 0x78; the credentials are the user name and
// password texts the record holds, so a write of those items changes them.
bool isLocked(const record::DeviceRecord& record);

// Whether the module answers a datagram that carried this credential text: a locked module only the exact
// user name followed by the password; an unlocked one any text or none.
bool admits(const record::DeviceRecord& record, const std::optional<std::string>& credentialText);

// Turns the lock on with these credentials (GBK, cut to the record's fields).
void setAccessLock(record::DeviceRecord& record, const protocol::LockCredentials& credentials);

}  // namespace norvane::sim
