#include "export/ExportCopy.h"

#include "xmlfiles/DataFile.h"
#include "xmlfiles/DataHeader.h"
#include "xmlfiles/VerifiedDataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QDir>
#include <QFileInfo>

namespace telm {

namespace {

const QString kWarning = QStringLiteral("Внимание!");

UserMessage refused(const QString& text, const QString& title = kWarning)
{
    return UserMessage{title, text, UserMessage::Icon::Critical};
}

} // namespace

QString ExtractFileName(const QString& path)
{
#ifdef Q_OS_WIN
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
#else
    const qsizetype cut = path.lastIndexOf(u'/');
#endif
    return cut < 0 ? path : path.mid(cut + 1);
}

QString DestinationPath(const QString& folder, const QString& fileName)
{
    if (folder.endsWith(u'/') || folder.endsWith(QDir::separator()))
        return folder + fileName;
    return folder + u'/' + fileName;
}

std::optional<UserMessage> ExportDataFile(const QString& source, const QString& folder)
{
    const QString shown = QDir::toNativeSeparators(source);
    // Read and checked as every road reads a data file: what verify refuses is
    // never handed over.
    XmlDocument xml;
    QByteArray bytes;
    const std::optional<DataFileFault> fault =
        OpenDocumentFile(source, FileRole::DataFile, xml, bytes);
    using Kind = DataFileFault::Kind;
    if (fault && fault->kind == Kind::Unreadable)
        return refused(
            QStringLiteral("Файлът %1 не може да бъде прочетен: %2.").arg(shown, fault->detail));
    if (ReadDataHeader(xml).document.isEmpty())
        return refused(
            QStringLiteral("Файлът %1 не е файл с данни на програмата и не е записан.").arg(shown));
    if (fault && fault->kind == Kind::Ambiguous)
        return refused(
            QStringLiteral("Файлът %1 е повреден: %2. Не е записан.").arg(shown, fault->detail));
    if (fault)
        return refused(QStringLiteral("XML файлът е бил променен неоторизирано!"),
                       QStringLiteral("Грешка"));

    const QString target = DestinationPath(folder, ExtractFileName(source));
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return std::nullopt; // onto itself: it already is the copy
    // The source's own bytes: the copy verifies wherever the source does.
    // Under its name itself: a link there is replaced, never written through.
    const SaveResult saved = ReplaceNameWithBytes(bytes, target);
    if (!saved.ok)
        return refused(saved.error);
    return std::nullopt;
}

UserMessage ExportDoneMessage(const QString& source, const QString& folder)
{
    const QString destination = DestinationPath(folder, ExtractFileName(source));
    return UserMessage{QStringLiteral("Съхранение на данни на дискета"),
                       QStringLiteral("Копиран е файлът\n%1\n\nв папката %2 като\n%3")
                           .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(folder),
                                QDir::toNativeSeparators(destination)),
                       UserMessage::Icon::Information};
}

} // namespace telm
