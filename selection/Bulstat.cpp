#include "selection/Bulstat.h"

namespace telm {

bool CheckBulstat(const QString& text)
{
    if (text.size() != 9)
        return false;
    int d[9];
    for (int i = 0; i < 9; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9') // ASCII digits only: no Arabic-Indic or full-width forms
            return false;
        d[i] = c.unicode() - u'0';
    }
    int s = 0;
    for (int i = 0; i < 8; ++i)
        s += (i + 1) * d[i];
    int r = s % 11;
    if (r == 10) {
        s = 0;
        for (int i = 0; i < 8; ++i)
            s += (i + 3) * d[i];
        r = s % 11;
        if (r == 10)
            r = 0;
    }
    return d[8] == r;
}

} // namespace telm
