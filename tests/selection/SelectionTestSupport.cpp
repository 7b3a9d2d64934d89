#include "tests/selection/SelectionTestSupport.h"

#include "tests/support/TestFiles.h"
#include "xmlfiles/XmlAccess.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

namespace telm::test {

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

bool ProgramFolder::writeTemplate(const DocType& type) const
{
    QDir(dir.path()).mkpath(QStringLiteral("Blanki"));
    const QString path = dir.filePath(QString::fromLatin1(type.templateFile));
    return writeAll(path, QByteArrayLiteral("<xml><rs:data/></xml>\n"));
}

bool ProgramFolder::writeAllTemplates() const
{
    if (!makeProgramFolder(dir.path()))
        return false;
    for (const DocType& type : Catalogue()) {
        if (!writeTemplate(type))
            return false;
    }
    return true;
}

bool ProgramFolder::removeBlanki() const
{
    return QDir(dir.filePath(QStringLiteral("Blanki"))).removeRecursively();
}

bool writeDataFile(const QString& path, const QString& document, const QString& compname,
                   const QString& period)
{
    // The BULSTAT its name gives, as the program writes it.
    static const QRegularExpression named(QStringLiteral("_(\\d{9})_\\d+_\\d+\\.xml$"));
    const QRegularExpressionMatch match = named.match(path);
    const QString bulstat = match.hasMatch() ? match.captured(1) : QStringLiteral("100000086");
    const QString text = QStringLiteral("<xml><danni><document>%1</document>"
                                        "<compname>%2</compname><period>%3</period>"
                                        "<bulstat>%4</bulstat></danni></xml>\n")
                             .arg(document, compname, period, bulstat);
    return writeAll(path, text.toUtf8());
}

DocumentOpener RecordingOpener::opener()
{
    return [this](QWidget* parent, const OpenedDocument& document) {
        OpenedCall call;
        call.parent = parent;
        call.parentVisible = parent && parent->isVisible();
        call.document = document;
        call.company = m_state.company;
        call.period = m_state.period;
        call.docType = m_state.docType;
        call.prognosis = m_state.hfGrid.Prognosis;
        call.balanceLiquidVariant = m_state.balanceLiquidVariant;
        call.incomeLiquidVariant = m_state.incomeLiquidVariant;
        call.openedDataFilePath = m_state.openedDataFilePath;
        call.xmlCompname =
            GetChildText(SelectSingleNode(m_state.xml.doc(), QStringLiteral("xml/danni")),
                         QStringLiteral("compname"));
        calls.push_back(call);
    };
}

} // namespace telm::test
