#pragma once
// Record lengths of the scenario commands as the scenario reader measures
// them: a fixed length for most codes, a text item of variable length for the
// text commands, and two counted lists for the variable test 0x05. Shared
// constant data, so that every tool that walks scenario bytes agrees on where
// a record ends.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace core {

enum class RecordShape : std::uint8_t {
    Fixed,        // `fixed` bytes
    Text,         // text item at `textOffset` (closing 00 included), then `tail` bytes
    CountedLists, // code, tag, p, p words, tag, q, q words
};

struct RecordLayout {
    RecordShape shape = RecordShape::Fixed;
    std::uint16_t fixed = 0;
    std::uint8_t textOffset = 0;
    std::uint8_t tail = 0;
};

constexpr int kHighestCode = 0x79;

// Layout of a command code 0x00..0x79; nullptr for any other code.
const RecordLayout *recordLayout(int code);

struct MeasuredRecord {
    int length = 0;       // bytes, code word included
    int textOffset = -1;  // offset of the text item's first byte inside the record; -1 without text
};

// Measures the record whose code word stands at `offset` of the buffer.
// nullopt when the code is unknown or the record (or the scan for its text
// end) would reach past `size`.
std::optional<MeasuredRecord> measureRecord(const std::uint8_t *data, std::size_t size, std::size_t offset);

} // namespace core
