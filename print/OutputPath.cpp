#include "print/OutputPath.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace telm {

namespace {

QString refusal(const QString& path, const QString& why)
{
    return QStringLiteral("PDF файлът не може да се запише в „%1“: %2.").arg(path, why);
}

// A data file, a template or any XML: what a PDF must never be written over.
bool looksLikeXml(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(512).trimmed();
    return head.startsWith("<?xml") || head.startsWith("<xml") || head.startsWith("\xEF\xBB\xBF<");
}

} // namespace

std::optional<QString> RefusedOutput(const QString& path, const QStringList& inputs)
{
    if (path.isEmpty())
        return QStringLiteral("Не е посочен PDF файл.");
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt; // a new file
    if (S_ISLNK(info.st_mode))
        return refusal(path, QStringLiteral("това е връзка към друг файл"));
    if (S_ISDIR(info.st_mode))
        return refusal(path, QStringLiteral("това е папка"));
    if (!S_ISREG(info.st_mode))
        return refusal(path, QStringLiteral("това не е обикновен файл"));
    for (const QString& input : inputs) {
        struct stat in;
        if (::stat(QFile::encodeName(input).constData(), &in) == 0 && in.st_dev == info.st_dev
            && in.st_ino == info.st_ino)
            return refusal(path, QStringLiteral("това е файлът, който се отпечатва"));
    }
    if (looksLikeXml(path))
        return refusal(path, QStringLiteral("това е файл с данни"));
    return std::nullopt;
}

} // namespace telm
