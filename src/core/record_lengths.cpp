#include "core/record_lengths.h"

#include <array>

namespace core {

namespace {

struct FixedRow {
    std::uint16_t length;
    std::initializer_list<std::uint8_t> codes;
};

struct TextRow {
    std::uint8_t textOffset;
    std::uint8_t tail;
    std::initializer_list<std::uint8_t> codes;
};

std::array<RecordLayout, kHighestCode + 1> buildTable()
{
    static const FixedRow fixedRows[] = {
        {2, {0x00, 0x01, 0x03, 0x07, 0x0A, 0x0C, 0x0D, 0x0E, 0x10, 0x1C, 0x1D, 0x1E, 0x2F, 0x42, 0x43, 0x44, 0x49,
             0x51, 0x54, 0x5A, 0x5F, 0x61, 0x6A}},
        {6, {0x04, 0x08, 0x0F, 0x11, 0x20, 0x22, 0x24, 0x28, 0x2B, 0x2D, 0x40, 0x56, 0x57, 0x5C, 0x62, 0x6F, 0x74}},
        {8, {0x09, 0x13, 0x6E, 0x71, 0x76}},
        {10, {0x1B, 0x34, 0x35, 0x52, 0x5E, 0x64, 0x6C, 0x75}},
        {12, {0x0B, 0x23, 0x39, 0x3F, 0x5D}},
        {14, {0x1F, 0x2E, 0x33, 0x3B, 0x3C, 0x65, 0x66, 0x68}},
        {16, {0x37, 0x3A, 0x4C, 0x70}},
        {18, {0x25, 0x29, 0x2A, 0x3D, 0x50}},
        {20, {0x36, 0x38, 0x78}},
        {22, {0x27, 0x6B}},
        {26, {0x21, 0x30, 0x3E, 0x48, 0x4F, 0x77, 0x79}},
        {28, {0x4B}},
        {30, {0x26, 0x5B}},
        {32, {0x32, 0x55}},
        {34, {0x58}},
        {36, {0x59, 0x73}},
        {38, {0x31}},
        {40, {0x6D}},
        {42, {0x53}},
        {44, {0x41, 0x45}},
        {48, {0x4A}},
        {52, {0x06}},
        {58, {0x4E}},
        {68, {0x4D}},
        {1042, {0x46}},
        {4482, {0x47}},
    };
    static const TextRow textRows[] = {
        {4, 0, {0x02, 0x14, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x69}},
        {12, 0, {0x15}},
        {10, 0, {0x67, 0x72}},
        {4, 4, {0x12}},
        {4, 12, {0x2C}},
        {8, 4, {0x60, 0x63}},
    };
    std::array<RecordLayout, kHighestCode + 1> t{};
    for (const FixedRow &r : fixedRows)
        for (std::uint8_t c : r.codes)
            t[c] = RecordLayout{RecordShape::Fixed, r.length, 0, 0};
    for (const TextRow &r : textRows)
        for (std::uint8_t c : r.codes)
            t[c] = RecordLayout{RecordShape::Text, 0, r.textOffset, r.tail};
    t[0x05] = RecordLayout{RecordShape::CountedLists, 0, 0, 0};
    return t;
}

const std::array<RecordLayout, kHighestCode + 1> &table()
{
    static const auto t = buildTable();
    return t;
}

std::size_t u16At(const std::uint8_t *d, std::size_t o) { return std::size_t(d[o]) | (std::size_t(d[o + 1]) << 8); }

} // namespace

const RecordLayout *recordLayout(int code)
{
    if (code < 0 || code > kHighestCode)
        return nullptr;
    return &table()[std::size_t(code)];
}

std::optional<MeasuredRecord> measureRecord(const std::uint8_t *data, std::size_t size, std::size_t offset)
{
    if (offset > size || size - offset < 2)
        return std::nullopt;
    const RecordLayout *layout = recordLayout(int(u16At(data, offset)));
    if (!layout)
        return std::nullopt;
    const std::size_t room = size - offset;
    switch (layout->shape) {
    case RecordShape::Fixed:
        if (layout->fixed > room)
            return std::nullopt;
        return MeasuredRecord{layout->fixed, -1};
    case RecordShape::Text: {
        std::size_t end = layout->textOffset;
        while (end < room && data[offset + end] != 0)
            ++end;
        if (end >= room)
            return std::nullopt;  // no terminator inside the buffer
        const std::size_t length = end + 1 + layout->tail;
        if (length > room || length > 0x7FFFFFFF)
            return std::nullopt;
        return MeasuredRecord{int(length), layout->textOffset};
    }
    case RecordShape::CountedLists: {
        if (room < 8)
            return std::nullopt;
        const std::size_t p = u16At(data, offset + 4);
        const std::size_t qAt = 8 + 2 * p;
        if (qAt + 2 > room)
            return std::nullopt;
        const std::size_t q = u16At(data, offset + qAt);
        const std::size_t length = 10 + 2 * p + 2 * q;
        if (length > room)
            return std::nullopt;
        return MeasuredRecord{int(length), -1};
    }
    }
    return std::nullopt;
}

} // namespace core
