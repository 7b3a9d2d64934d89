// Amount text: reading and display form under a blank-grouping locale and a
// C-like one, as tables of cases.
#include "editor/AmountText.h"

#include <QLocale>

#include <limits>
#include <optional>

#include <gtest/gtest.h>

using namespace telm;

namespace {

const QChar kNbsp(0x00A0);
const AmountLocale kBlankGrouping{QChar(0x00A0), u','};
const AmountLocale kCLike{u',', u'.'};

// Writes the no-break space as "_" in the tables so the cases stay readable.
QString nb(const char16_t* text)
{
    QString s = QString::fromUtf16(text);
    s.replace(u'_', kNbsp);
    return s;
}

class AmountTextTest : public ::testing::Test
{
protected:
    void TearDown() override { setAmountLocale(AmountLocale{}); }
};

struct ReadCase
{
    AmountLocale locale;
    const char16_t* text;
    std::optional<double> expected;
};

class ReadAmountCases : public AmountTextTest, public ::testing::WithParamInterface<ReadCase>
{
};

TEST_P(ReadAmountCases, ReadsOrRefuses)
{
    const ReadCase& c = GetParam();
    setAmountLocale(c.locale);
    EXPECT_EQ(ReadAmount(nb(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, ReadAmountCases,
    ::testing::Values(
        ReadCase{kBlankGrouping, u"1_234", 1234},
        ReadCase{kBlankGrouping, u"1 234", 1234},      // a typed normal space
        ReadCase{kBlankGrouping, u"1\u202F234", 1234}, // narrow no-break space
        ReadCase{kBlankGrouping, u"(1_500)", -1500}, ReadCase{kBlankGrouping, u"-1500", -1500},
        ReadCase{kBlankGrouping, u"  5 ", 5}, ReadCase{kBlankGrouping, u"10,6", 10.6},
        ReadCase{kBlankGrouping, u"0", 0}, ReadCase{kBlankGrouping, u"1_234_567", 1234567},
        ReadCase{kBlankGrouping, u"10.6", std::nullopt}, // not this locale's decimal
        ReadCase{kCLike, u"10.6", 10.6}, ReadCase{kCLike, u"1,234", 1234},
        ReadCase{kCLike, u"1 234", 1234}, ReadCase{kCLike, u"(1,500)", -1500},
        ReadCase{kCLike, u"1,234.5", 1234.5}, ReadCase{kBlankGrouping, u"", std::nullopt},
        ReadCase{kBlankGrouping, u"   ", std::nullopt},
        ReadCase{kBlankGrouping, u"abc", std::nullopt},
        ReadCase{kBlankGrouping, u"1-2", std::nullopt},
        ReadCase{kBlankGrouping, u"((5))", std::nullopt},
        ReadCase{kBlankGrouping, u"-(5)", std::nullopt},
        ReadCase{kBlankGrouping, u"--5", std::nullopt},
        ReadCase{kBlankGrouping, u"(5", std::nullopt}, ReadCase{kBlankGrouping, u"-", std::nullopt},
        ReadCase{kBlankGrouping, u"()", std::nullopt}, ReadCase{kCLike, u"1e10", std::nullopt},
        ReadCase{kBlankGrouping, u"1__234", std::nullopt}, // separators only between digits
        ReadCase{kBlankGrouping, u"_5", 5},                // trimmed as a blank
        ReadCase{kCLike, u",5", std::nullopt}, ReadCase{kCLike, u"1.2.3", std::nullopt},
        ReadCase{kCLike, u"1.2,3", std::nullopt},
        ReadCase{kCLike, u"9007199254740991", 9007199254740991.0},
        ReadCase{
            kCLike,
            u"9999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
            u"9999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
            u"9999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
            u"99999999999999999999999999999999999999999999999999999999999999999",
            std::nullopt})); // beyond a double

struct FormatCase
{
    AmountLocale locale;
    const char16_t* text;
    const char16_t* expected;
};

class FormatAmountCases : public AmountTextTest, public ::testing::WithParamInterface<FormatCase>
{
};

TEST_P(FormatAmountCases, GivesDisplayForm)
{
    const FormatCase& c = GetParam();
    setAmountLocale(c.locale);
    EXPECT_EQ(FormatAmount(nb(c.text)), nb(c.expected)) << QString::fromUtf16(c.text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, FormatAmountCases,
    ::testing::Values(
        FormatCase{kBlankGrouping, u"1234", u"1_234"},
        FormatCase{kBlankGrouping, u"-1500", u"(1_500)"},
        FormatCase{kBlankGrouping, u"1234567", u"1_234_567"},
        FormatCase{kBlankGrouping, u"123", u"123"}, FormatCase{kBlankGrouping, u"  5 ", u"5"},
        FormatCase{kBlankGrouping, u"-5", u"(5)"}, FormatCase{kBlankGrouping, u"0", u"0"},
        FormatCase{kBlankGrouping, u"-0", u"0"}, FormatCase{kBlankGrouping, u"-0,4", u"0"},
        FormatCase{kBlankGrouping, u"0,6", u"1"}, FormatCase{kBlankGrouping, u"1 234", u"1_234"},
        FormatCase{kBlankGrouping, u"(1_500)", u"(1_500)"}, FormatCase{kBlankGrouping, u"", u""},
        FormatCase{kBlankGrouping, u"   ", u""}, FormatCase{kBlankGrouping, u"abc", u"abc"},
        FormatCase{kBlankGrouping, u"((5))", u"((5))"}, FormatCase{kCLike, u"1234", u"1,234"},
        FormatCase{kCLike, u"-1500", u"(1,500)"}, FormatCase{kCLike, u"10.6", u"11"},
        FormatCase{kCLike, u"10.5", u"11"}, FormatCase{kCLike, u"-10.5", u"(11)"},
        FormatCase{kCLike, u"10.4", u"10"}, FormatCase{kCLike, u"1234567", u"1,234,567"},
        FormatCase{kCLike, u"1e10", u"1e10"}));

TEST_F(AmountTextTest, DisplayedNegativeReadsBack)
{
    for (const AmountLocale& locale : {kBlankGrouping, kCLike}) {
        setAmountLocale(locale);
        const QString shown = FormatNumber(-1500);
        EXPECT_EQ(AmountOrZero(shown), -1500);
        EXPECT_EQ(FormatAmount(shown), shown);
    }
}

TEST_F(AmountTextTest, FormatNumberRoundsHalvesAwayFromZero)
{
    setAmountLocale(kCLike);
    const struct
    {
        double value;
        const char* expected;
    } cases[] = {
        {0.5, "1"},
        {-0.5, "(1)"},
        {2.5, "3"},
        {-2.5, "(3)"},
        {-0.0, "0"},
        {-0.49, "0"},
        {1234567.0, "1,234,567"},
        {std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value), QString::fromLatin1(c.expected)) << c.value;
}

TEST_F(AmountTextTest, AmountOrZeroTreatsMissingAndWrongTextAsZero)
{
    setAmountLocale(kBlankGrouping);
    EXPECT_EQ(AmountOrZero(QString()), 0);
    EXPECT_EQ(AmountOrZero(QStringLiteral("abc")), 0);
    EXPECT_EQ(AmountOrZero(nb(u"(1_234)")), -1234);
}

TEST_F(AmountTextTest, SeparatorsComeFromTheLocale)
{
    const AmountLocale c = AmountLocale::fromLocale(QLocale::c());
    EXPECT_EQ(c.group, QChar(u','));
    EXPECT_EQ(c.decimal, QChar(u'.'));
    const AmountLocale bg =
        AmountLocale::fromLocale(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    EXPECT_EQ(bg.group, kNbsp);
    EXPECT_EQ(bg.decimal, QChar(u','));
}

} // namespace

TEST(AmountText, EntriesBeyondWhatADoubleHoldsExactlyAreRefused)
{
    setAmountLocale(AmountLocale{u',', u'.'});
    EXPECT_EQ(ReadEntry(QStringLiteral("9007199254740991")), 9007199254740991.0);
    EXPECT_FALSE(ReadEntry(QStringLiteral("9007199254740993"))); // would be stored as 2^53
    EXPECT_FALSE(ReadEntry(QStringLiteral("-99999999999999999999")));
    EXPECT_FALSE(ReadEntry(QStringLiteral("abc")));
    // A total that large still reads, so it never blocks the sums or the save.
    EXPECT_EQ(AmountOrZero(QStringLiteral("18,014,398,509,481,984")), 18014398509481984.0);
}

// A group separator stands only between groups of three digits counted from
// the right of the whole part; anywhere else the text is no number, never
// another number. One table, read under both the C and the Bulgarian
// separators: G is the locale's group separator, D its decimal separator.
TEST(AmountText, MisplacedGroupSeparatorsAreRefused)
{
    const struct
    {
        const char* text;
        std::optional<double> expected;
    } cases[] = {
        {"1G234", 1234},
        {"12G345G678", 12345678},
        {"123G456", 123456},
        {"1G234D5", 1234.5},
        {"(1G234)", -1234},
        {"-12G345", -12345},
        {"1 234", 1234}, // a typed blank groups too
        {"1234", 1234},
        {"12G5", std::nullopt},
        {"1G2G3", std::nullopt},
        {"10 5", std::nullopt},
        {"1234G567", std::nullopt},
        {"1G23", std::nullopt},
        {"1G2345", std::nullopt},
        {"1G234G56", std::nullopt},
        {"12 34", std::nullopt},
        {"1G234 5", std::nullopt},
    };
    for (const AmountLocale& locale :
         {AmountLocale{u',', u'.'}, AmountLocale{QChar(0x00A0), u','}}) {
        setAmountLocale(locale);
        for (const auto& c : cases) {
            QString text = QString::fromLatin1(c.text);
            text.replace(u'G', locale.group).replace(u'D', locale.decimal);
            EXPECT_EQ(ReadAmount(text), c.expected)
                << c.text << " group " << int(locale.group.unicode());
            EXPECT_EQ(ReadEntry(text).has_value(), c.expected.has_value()) << c.text;
        }
    }
    setAmountLocale(AmountLocale{});
}
