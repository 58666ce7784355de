#include "core/converter_record_walk.h"

#include "core/record_lengths.h"

#include <algorithm>

namespace core::eexwalk {

namespace {

bool fits(const QByteArray &b, qsizetype offset, qsizetype length)
{
    return offset >= 0 && length >= 0 && offset <= b.size() && length <= b.size() - offset;
}

} // namespace

std::optional<qsizetype> recordLengthAt(const QByteArray &bytes, qsizetype offset)
{
    if (!fits(bytes, offset, 2))
        return std::nullopt;
    // Codes beyond the catalogue carry no items the editor knows of.
    if (u16At(bytes, offset) > kHighestCode)
        return 2;
    const auto measured = measureRecord(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                        std::size_t(bytes.size()), std::size_t(offset));
    if (!measured)
        return std::nullopt;
    return qsizetype(measured->length);
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
