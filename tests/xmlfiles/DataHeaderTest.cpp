// The data file's header: what the writer puts there is what every reader gets
// back from the saved file, and a file without one reads as empty.
#include "xmlfiles/DataHeader.h"

#include "tests/support/TestFiles.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/XmlAccess.h"
#include "xmlfiles/XmlDocument.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

namespace {

TEST(DataHeader, WhatIsWrittenReadsBackFromTheSavedFile)
{
    QTemporaryDir dir;
    for (const bool forecast : {false, true}) {
        SCOPED_TRACE(forecast);
        XmlDocument xml;
        ASSERT_TRUE(xml.load(test::fixture(QStringLiteral("template.xml"))));
        const DataHeader written{
            QStringLiteral("12"),        QStringLiteral("2005"),
            QStringLiteral("123456786"), QStringLiteral("Фирма \"Ъгъл\" & Сие"),
            QStringLiteral("Баланс"),    forecast};
        WriteDataHeader(xml, written);
        ASSERT_TRUE(SaveDataFile(xml, dir.filePath("saved.xml")).ok);
        XmlDocument saved;
        ASSERT_TRUE(saved.load(dir.filePath("saved.xml")));
        const StoredHeader read = ReadDataHeader(saved);
        EXPECT_EQ(read.period, QStringLiteral("12/2005"));
        EXPECT_EQ(read.bulstat, written.bulstat);
        EXPECT_EQ(read.company, written.companyName);
        EXPECT_EQ(read.document, written.documentTitle);
        EXPECT_EQ(read.forecast(), forecast);
    }
}

TEST(DataHeader, WrittenAgainItReplacesTheOneThere)
{
    XmlDocument xml;
    ASSERT_TRUE(xml.load(test::fixture(QStringLiteral("template.xml"))));
    DataHeader header{QStringLiteral("3"),         QStringLiteral("2005"),
                      QStringLiteral("123456786"), QStringLiteral("Първа"),
                      QStringLiteral("Баланс"),    true};
    WriteDataHeader(xml, header);
    header.companyName = QStringLiteral("Втора");
    header.forecast = false;
    WriteDataHeader(xml, header);
    EXPECT_EQ(SelectNodes(xml.doc(), QStringLiteral("xml/danni")).size(), 1u);
    EXPECT_EQ(SelectNodes(xml.doc(), QStringLiteral("xml/danni/compname")).size(), 1u);
    EXPECT_EQ(ReadDataHeader(xml).company, QStringLiteral("Втора"));
    EXPECT_FALSE(ReadDataHeader(xml).forecast());
}

TEST(DataHeader, ATemplateHasNoneAndOnlyTheExactKindIsAForecast)
{
    XmlDocument xml;
    ASSERT_TRUE(xml.load(test::fixture(QStringLiteral("template.xml"))));
    const StoredHeader none = ReadDataHeader(xml);
    EXPECT_TRUE(none.period.isEmpty() && none.bulstat.isEmpty() && none.company.isEmpty()
                && none.document.isEmpty() && none.kind.isEmpty());
    EXPECT_FALSE(none.forecast());
    EXPECT_TRUE(ReadDataHeader(XmlDocument()).document.isEmpty());

    for (const char* kind : {"прогнозен документ", "Прогнозен документ ", "Прогноза"}) {
        SetChildText(xml.root(), QStringLiteral("danni"), QString());
        SetChildText(SelectSingleNode(xml.doc(), QStringLiteral("xml/danni")),
                     QStringLiteral("documenttype"), QString::fromUtf8(kind));
        EXPECT_FALSE(ReadDataHeader(xml).forecast()) << kind;
    }
}

} // namespace
