// Fuzz target: any bytes as a ledger's trial balance. What is read is placed
// through a small map with every rule, so the sums and the rounding meet what
// the reader lets through.
#include "ledger/StatementAmounts.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const telm::AccountMap map = [] {
        telm::AccountMap m;
        telm::ParseAccountMap(
            QStringLiteral("1 | credit | Bal[610].DocDta_Sum3\n"
                           "2 | debit | Bal[50].DocDta_Sum3\n"
                           "24 | contra | Bal[50].DocDta_Sum3 | Bal[50].DocDta_Sum2\n"
                           "4 | side | Bal[400].DocDta_Sum3 | Bal[900].DocDta_Sum3\n"
                           "6 | debit | OPR[40].DocDta_Sum1\n"
                           "7 | credit | OPR[400].DocDta_Sum1\n"
                           "result | result | Bal[750].DocDta_Sum3 | Bal[760].DocDta_Sum3\n"),
            QStringLiteral("map"), m);
        return m;
    }();
    telm::TrialBalance tb;
    if (telm::ReadTrialBalance(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
                               QStringLiteral("tb.csv"), tb))
        return 0;
    (void)telm::PlaceTrialBalance(tb, map);
    return 0;
}
