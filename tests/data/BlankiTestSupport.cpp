#include "tests/data/BlankiTestSupport.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace telm::test {

QString shippedTemplate(const DocType& type)
{
    return sourceData(QString::fromLatin1(type.templateFile));
}

QString shippedConditions()
{
    return sourceData(QStringLiteral("Blanki/Conditions.xml"));
}

Rowset loadShipped(const DocType& type)
{
    Rowset rowset;
    const auto error = LoadRowset(shippedTemplate(type), rowset);
    EXPECT_FALSE(error.has_value()) << qPrintable(error ? error->message : QString());
    return rowset;
}

} // namespace telm::test
