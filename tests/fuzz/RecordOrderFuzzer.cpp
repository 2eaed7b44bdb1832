// Fuzzes the record order reader: for any level count, an order it takes
// names every level once and comes back through the writer; one it refuses
// leaves no numbers behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "puzzle/LevelSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte chooses the level count (the shipped sets have 60).
  const uint32_t count = size ? data[0] : 60;
  const char* text = reinterpret_cast<const char*>(data) + (size ? 1 : 0);
  const size_t length = size ? size - 1 : 0;
  std::vector<int> records;
  std::string error;
  if (!DecodeRecordOrder(text, length, count, records, error)) {
    if (!records.empty() || error.empty()) std::abort();
    return 0;
  }
  LevelSet set;
  set.levelCount = count;
  set.records = records;
  for (uint32_t level = 0; level < count; ++level)
    if (set.LevelOfRecord(set.RecordOf(static_cast<int>(level))) != static_cast<int>(level)) std::abort();
  const std::string again = EncodeRecordOrder(records);
  std::vector<int> reread;
  if (!DecodeRecordOrder(again.data(), again.size(), count, reread, error) || reread != records) std::abort();
  return 0;
}
