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

std::vector<std::pair<QString, QRectF>> PdfPageWords(const QString& path, int page)
{
    const QString html =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" "
                       "yMax=\"([-\\d.]+)\">([^<]*)</word>"));
    std::vector<std::pair<QString, QRectF>> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.emplace_back(m.captured(5), QRectF(topLeft, bottomRight));
    }
    return words;
}

QString PdfInfoText(const QString& path)
{
    return run(QStringLiteral("pdfinfo"), {path});
}

QStringList PdfOverlappingWords(const QString& path, int page)
{
    const auto words = PdfPageWords(path, page);
    QStringList overlaps;
    for (std::size_t i = 0; i < words.size(); ++i)
        for (std::size_t j = i + 1; j < words.size(); ++j) {
            // A hair of touching is not overlapping: glyph boxes include side bearings.
            const QRectF a = words[i].second.adjusted(0.3, 0.3, -0.3, -0.3);
            if (a.intersects(words[j].second.adjusted(0.3, 0.3, -0.3, -0.3)))
                overlaps << words[i].first + QStringLiteral(" / ") + words[j].first;
        }
    return overlaps;
}

} // namespace telm::test
