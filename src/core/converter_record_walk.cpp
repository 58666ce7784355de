#include "core/converter_record_walk.h"

#include <algorithm>
#include <array>

namespace core::eexwalk {

namespace {

// How a record's length is found.
enum class Shape : quint8 {
    Fixed,     // `fixed` bytes
    Text,      // `head` bytes, a text up to and including its 00, `tail` bytes
    VarTest,   // 0x05: tag, count p, p values, tag, count q, q values
};

struct LengthRule {
    Shape shape = Shape::Fixed;
    int fixed = 2;
    int head = 0;
    int tail = 0;
};

constexpr int kLastCode = 0x79;

// The editor's record lengths, code word included.
std::array<LengthRule, kLastCode + 1> buildTable()
{
    std::array<LengthRule, kLastCode + 1> t{};
    const auto fixed = [&t](int len, std::initializer_list<int> codes) {
        for (int c : codes)
            t[c] = {Shape::Fixed, len, 0, 0};
    };
    const auto text = [&t](int head, int tail, std::initializer_list<int> codes) {
        for (int c : codes)
            t[c] = {Shape::Text, 0, head, tail};
    };
    fixed(2, {0x00, 0x01, 0x03, 0x07, 0x0A, 0x0C, 0x0D, 0x0E, 0x10, 0x1C, 0x1D, 0x1E, 0x2F, 0x42, 0x43, 0x44,
              0x49, 0x51, 0x54, 0x5A, 0x5F, 0x61, 0x6A});
    fixed(6, {0x04, 0x08, 0x0F, 0x11, 0x20, 0x22, 0x24, 0x28, 0x2B, 0x2D, 0x40, 0x56, 0x57, 0x5C, 0x62, 0x6F,
              0x74});
    fixed(8, {0x09, 0x13, 0x6E, 0x71, 0x76});
    fixed(10, {0x1B, 0x34, 0x35, 0x52, 0x5E, 0x64, 0x6C, 0x75});
    fixed(12, {0x0B, 0x23, 0x39, 0x3F, 0x5D});
    fixed(14, {0x1F, 0x2E, 0x33, 0x3B, 0x3C, 0x65, 0x66, 0x68});
    fixed(16, {0x37, 0x3A, 0x4C, 0x70});
    fixed(18, {0x25, 0x29, 0x2A, 0x3D, 0x50});
    fixed(20, {0x36, 0x38, 0x78});
    fixed(22, {0x27, 0x6B});
    fixed(26, {0x21, 0x30, 0x3E, 0x48, 0x4F, 0x77, 0x79});
    fixed(28, {0x4B});
    fixed(30, {0x26, 0x5B});
    fixed(32, {0x32, 0x55});
    fixed(34, {0x58});
    fixed(36, {0x59, 0x73});
    fixed(38, {0x31});
    fixed(40, {0x6D});
    fixed(42, {0x53});
    fixed(44, {0x41, 0x45});
    fixed(48, {0x4A});
    fixed(52, {0x06});
    fixed(58, {0x4E});
    fixed(68, {0x4D});
    fixed(1042, {0x46});
    fixed(4482, {0x47});
    text(4, 0, {0x02, 0x14, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x69});
    text(12, 0, {0x15});
    text(10, 0, {0x67, 0x72});
    text(4, 4, {0x12});
    text(4, 12, {0x2C});
    text(8, 4, {0x60, 0x63});
    t[0x05] = {Shape::VarTest, 0, 0, 0};
    return t;
}

const std::array<LengthRule, kLastCode + 1> &table()
{
    static const auto t = buildTable();
    return t;
}

bool fits(const QByteArray &b, qsizetype offset, qsizetype length)
{
    return offset >= 0 && length >= 0 && offset <= b.size() && length <= b.size() - offset;
}

} // namespace

std::optional<qsizetype> recordLengthAt(const QByteArray &bytes, qsizetype offset)
{
    if (!fits(bytes, offset, 2))
        return std::nullopt;
    const int code = u16At(bytes, offset);
    qsizetype length = 2;
    if (code <= kLastCode) {
        const LengthRule &rule = table()[code];
        switch (rule.shape) {
        case Shape::Fixed:
            length = rule.fixed;
            break;
        case Shape::Text: {
            const qsizetype textStart = offset + rule.head;
            if (!fits(bytes, textStart, 0))
                return std::nullopt;
            const qsizetype zero = bytes.indexOf('\0', textStart);
            if (zero < 0)
                return std::nullopt;
            length = zero + 1 - offset + rule.tail;
            break;
        }
        case Shape::VarTest: {
            if (!fits(bytes, offset + 4, 2))
                return std::nullopt;
            const qsizetype p = u16At(bytes, offset + 4);
            const qsizetype qAt = offset + 8 + 2 * p;
            if (!fits(bytes, qAt, 2))
                return std::nullopt;
            length = 10 + 2 * p + 2 * qsizetype(u16At(bytes, qAt));
            break;
        }
        }
    }
    if (!fits(bytes, offset, length))
        return std::nullopt;
    return length;
}

void forEachValueItem(const QByteArray &bytes, qsizetype begin, qsizetype end,
                      const std::function<void(int tag, qsizetype valueOffset)> &fn)
{
    end = std::min(end, bytes.size());
    qsizetype p = begin;
    while (p >= 0 && p + 2 <= end) {
        const int tag = u16At(bytes, p);
        const qsizetype value = p + 2;
        if (tag == 0x05) {
            const qsizetype zero = bytes.indexOf('\0', value);
            if (zero < 0 || zero >= end)
                return;
            p = zero + 1;
        } else if (tag == 0x35) {
            if (value + 2 > end)
                return;
            p = value + 2 + 2 * qsizetype(u16At(bytes, value));
        } else {
            const qsizetype width = tag == 0x04 ? 4 : 2;
            if (value + width > end)
                return;
            fn(tag, value);
            p = value + width;
        }
    }
}

} // namespace core::eexwalk
