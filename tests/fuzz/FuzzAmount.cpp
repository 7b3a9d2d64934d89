// Fuzz target: the amount reader and the display form, under both separator
// sets. What reads as a number shows as a number that reads back the same.
#include "editor/AmountText.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const telm::AmountLocale& locale :
         {telm::AmountLocale{u',', u'.'}, telm::AmountLocale{QChar(0x00A0), u','}}) {
        telm::setAmountLocale(locale);
        const std::optional<double> read = telm::ReadAmount(text);
        (void)telm::ReadEntry(text);
        const QString shown = telm::FormatAmount(text);
        if (read && std::fabs(*read) < 1e15) {
            // Shown rounded to whole units: it reads back within half a unit.
            const std::optional<double> again = telm::ReadAmount(shown);
            if (!again || std::fabs(*again - *read) > 0.5)
                __builtin_trap();
        }
    }
    return 0;
}
