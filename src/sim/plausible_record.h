#pragma once

#include <vector>

#include "record/device_record.h"

namespace norvane::sim {

// The record module `index` (from 0) leaves the factory with: a full configuration and status that every item
// of the item table reports sensibly. The MAC is 02-4E-56-00-00-01 for module 0 and counts up; the first
// three modules run firmware V10020, V10030 and V10020 on models NV-3232, NV-1616 and NV-0808, named
// 一号车间, 二号车间 and 仓库, and the pattern repeats after them with names 分站4, 分站5 and on. Addresses
// lie in 198.51.100.0/24.
record::DeviceRecord plausibleRecord(std::size_t index);

// The records of modules first to first + count - 1.
std::vector<record::DeviceRecord> plausibleRecords(std::size_t count, std::size_t first = 0);

}  // namespace norvane::sim
