// The batch converter on arbitrary bytes: it converts or refuses with a
// position inside the input and a reason; what it converts, converted again,
// must not crash either. The first byte picks the options.
#include "core/eex_converter.h"
#include "fuzz_common.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    core::EexConvertOptions options;
    options.convertedBefore = (data[0] & 1) != 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const core::EexConversion once = core::convertEexBytes(bytes, options);
    if (!once.ok) {
        fuzzing::check(once.errorOffset >= 0 && once.errorOffset <= bytes.size() + 4096);
        fuzzing::check(!core::eexConvertErrorText(QStringLiteral("f.eex"), once.errorOffset, once.reason).isEmpty());
        return 0;
    }
    (void)core::convertEexBytes(once.bytes, options);
    return 0;
}
