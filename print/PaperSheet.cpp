#include "print/PaperSheet.h"

#include <QDate>

namespace telm {

QString UnitLine(PaperUnit unit)
{
    return unit == PaperUnit::Thousands ? QStringLiteral("(в хиляди лева)")
                                        : QStringLiteral("(в лева)");
}

QString PeriodLine(bool atDate, int month, int year)
{
    const QDate last = QDate(year, month, 1).addMonths(1).addDays(-1);
    const QString end = last.isValid() ? last.toString(QStringLiteral("dd.MM.yyyy"))
                                       : QStringLiteral("%1.%2").arg(month).arg(year);
    if (atDate)
        return QStringLiteral("към %1 г.").arg(end);
    return QStringLiteral("за периода 01.01.–%1 г.").arg(end);
}

QString BlankPeriodLine(bool atDate)
{
    if (atDate)
        return QStringLiteral("към %1 г.").arg(DottedLine(16));
    return QStringLiteral("за периода %1–%2 г.").arg(DottedLine(12), DottedLine(16));
}

QString RunningHeader(const SheetTitle& title)
{
    const QString company = title.company.isEmpty() ? DottedLine(30) : title.company;
    const QString bulstat = title.bulstat.isEmpty() ? DottedLine(16) : title.bulstat;
    return QStringLiteral("%1, БУЛСТАТ %2 · %3 · %4")
        .arg(company, bulstat, title.typeTitle, title.periodLine);
}

int FilingRank(const QString& code)
{
    static const QStringList order{
        QStringLiteral("Bal"),     QStringLiteral("OPR"),     QStringLiteral("MFlow"),
        QStringLiteral("OPP"),     QStringLiteral("Cap"),     QStringLiteral("Take"),
        QStringLiteral("Liab"),    QStringLiteral("Prov"),    QStringLiteral("OPRInt"),
        QStringLiteral("BalLiq"),  QStringLiteral("BalLiq2"), QStringLiteral("OPRLiq"),
        QStringLiteral("OPRLiq2"), QStringLiteral("OPPLiq")};
    const qsizetype rank = order.indexOf(code);
    return static_cast<int>(rank < 0 ? order.size() : rank);
}

QString DottedLine(int dots)
{
    return QString(dots, u'.');
}

} // namespace telm
