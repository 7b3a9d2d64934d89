#include "tests/support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>

namespace telm::test {

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

int PdfPageCount(const QString& path)
{
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QSizeF PdfPageSize(const QString& path)
{
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QSizeF();
}

QString PdfPageText(const QString& path, int page)
{
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                QString::number(page), QStringLiteral("-layout"), path, QStringLiteral("-")});
}

} // namespace telm::test
