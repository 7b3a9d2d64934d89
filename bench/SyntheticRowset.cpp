#include "bench/SyntheticRowset.h"

namespace telm::bench {

Rowset SyntheticRowset(int rows)
{
    Rowset rs;
    rs.fields = {"Name", "Code", "Id", "Parent", "Hidden", "Sum1", "Sum2", "Sum3"};
    rs.levels = 6;
    rs.rows.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        const int inBlock = i % 16;
        const int band = inBlock < 6 ? inBlock : 5;
        const bool kids = inBlock < 5;
        const QString n = QString::number(i);
        rs.rows.push_back(
            RowsetRow{band,
                      kids,
                      {"Статия " + n, n, n, QString(), QString(), "1 234", QString(), "(5 678)"}});
    }
    return rs;
}

} // namespace telm::bench
