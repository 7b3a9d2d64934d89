// Fuzz target: the amount reader, the display and the plain forms. What reads
// as an amount shows as text that reads back as the same amount, in both
// forms; what is refused has a message that says why.
#include "editor/AmountText.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const telm::AmountReading reading = telm::ReadAmountText(text);
    if (reading.value && reading.refusal)
        __builtin_trap();
    if (reading.refusal && telm::EntryRefusalMessage(text).isEmpty())
        __builtin_trap();
    if (reading.value && std::fabs(*reading.value) < 9007199254740992.0) {
        // Whole leva, shown and read again: the same amount, in both forms.
        if (*reading.value != std::round(*reading.value))
            __builtin_trap();
        const std::optional<double> shown = telm::ReadAmount(telm::FormatAmount(text));
        const std::optional<double> plain = telm::ReadAmount(telm::PlainAmount(text));
        if (shown != reading.value || plain != reading.value)
            __builtin_trap();
    }
    return 0;
}
