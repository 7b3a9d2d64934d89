// Amount text: one table of typed texts, each read as the amount meant or
// refused with the reason, run under the C, an English and the Bulgarian
// locale (the separators never come from the system); the display and plain
// forms; the messages that say how to type a refused amount.
#include "editor/AmountText.h"

#include <QLocale>

#include <clocale>
#include <limits>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

using namespace telm;

namespace {

const QChar kNbsp(0x00A0);

// Writes the no-break space as "_" in the tables so the cases stay readable.
QString nb(const char16_t* text)
{
    QString s = QString::fromUtf16(text);
    s.replace(u'_', kNbsp);
    return s;
}

using R = AmountRefusal;

struct ReadCase
{
    const char16_t* text;
    std::optional<double> value;
    std::optional<AmountRefusal> refusal = std::nullopt;
};

const ReadCase kReadCases[] = {
    // Grouped by threes with any space or a dot.
    {u"1234", 1234},
    {u"1 234", 1234},
    {u"1_234", 1234},
    {u"1\u202F234", 1234}, // narrow no-break space
    {u"1.234", 1234},
    {u"1.234.567", 1234567},
    {u"1 234 567", 1234567},
    {u"12.345", 12345},
    {u"123_456", 123456},
    {u"  5 ", 5},
    {u"_5", 5}, // trimmed as a blank
    {u"0", 0},
    {u"007", 7},
    // Negatives.
    {u"-1500", -1500},
    {u"\u22121500", -1500}, // the minus sign of a copied text
    {u"(1 500)", -1500},
    {u"(1_500)", -1500},
    {u"( 1.500 )", -1500},
    {u"-0", 0},
    {u"-0,4", 0},
    // A decimal comma with one or two digits, rounded halves away from zero.
    {u"2,5", 3},
    {u"1234,5", 1235},
    {u"1234,50", 1235},
    {u"1234,49", 1234},
    {u"1 234,5", 1235},
    {u"1.234,5", 1235},
    {u"-2,5", -3},
    {u"(0,5)", -1},
    {u"10,4", 10},
    {u"0,6", 1},
    // A dot that does not group by threes is a decimal mark, which amounts do not have.
    {u"12.5", std::nullopt, R::DotDecimal},
    {u"1234.5", std::nullopt, R::DotDecimal},
    {u"1.23", std::nullopt, R::DotDecimal},
    {u"1.2345", std::nullopt, R::DotDecimal},
    {u"1.234.56", std::nullopt, R::DotDecimal},
    {u"0.500", std::nullopt, R::DotDecimal}, // a half, or five hundred?
    {u"1 234.5", std::nullopt, R::DotDecimal},
    {u"1.234 567", std::nullopt, R::DotDecimal},
    {u"1.2.3", std::nullopt, R::DotDecimal},
    // A comma followed by three digits: a thousand, or one and a fraction?
    {u"1,234", std::nullopt, R::AmbiguousComma},
    {u"-1,234", std::nullopt, R::AmbiguousComma},
    {u"1,234,567", std::nullopt, R::AmbiguousComma},
    {u"1 234,567", std::nullopt, R::AmbiguousComma},
    {u"12,", std::nullopt, R::FractionDigits},
    {u"1,2345", std::nullopt, R::FractionDigits},
    // Anything else.
    {u"abc", std::nullopt, R::NotNumber},
    {u"1x", std::nullopt, R::NotNumber},
    {u"10 5", std::nullopt, R::NotNumber},
    {u"12 34", std::nullopt, R::NotNumber},
    {u"1234 567", std::nullopt, R::NotNumber},
    {u"1__234", std::nullopt, R::NotNumber},
    {u"1 23", std::nullopt, R::NotNumber},
    {u"0 500", std::nullopt, R::NotNumber},
    {u"1-2", std::nullopt, R::NotNumber},
    {u"((5))", std::nullopt, R::NotNumber},
    {u"-(5)", std::nullopt, R::NotNumber},
    {u"--5", std::nullopt, R::NotNumber},
    {u"(5", std::nullopt, R::NotNumber},
    {u"-", std::nullopt, R::NotNumber},
    {u"()", std::nullopt, R::NotNumber},
    {u",5", std::nullopt, R::NotNumber},
    {u"1,2,3", std::nullopt, R::NotNumber},
    {u"1e10", std::nullopt, R::NotNumber},
    {u"0x10", std::nullopt, R::NotNumber},
    {u"NaN", std::nullopt, R::NotNumber},
    {u"+5", std::nullopt, R::NotNumber},
    {u"5 лв.", std::nullopt, R::NotNumber},
    // Blank is no amount and no refusal: the cell is emptied.
    {u"", std::nullopt},
    {u"   ", std::nullopt},
};

// The system locale must not matter: the table runs under each of these.
class AmountUnderLocale : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
        std::setlocale(LC_ALL, GetParam()); // may be missing on the machine; C always is
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, "C");
    }
};

TEST_P(AmountUnderLocale, ReadsTheAmountMeantOrRefusesWithTheReason)
{
    for (const ReadCase& c : kReadCases) {
        const QString text = nb(c.text);
        const telm::AmountReading reading = ReadAmountText(text);
        const std::string shown = text.toStdString();
        EXPECT_EQ(reading.value, c.value) << shown;
        EXPECT_EQ(reading.refusal, c.refusal) << shown;
        EXPECT_EQ(ReadEntry(text), c.value) << shown;
        // A refused text has a message; an accepted or blank one has none.
        EXPECT_EQ(EntryRefusalMessage(text).isEmpty(), !c.refusal) << shown;
        // Shown and read again, an amount is the same amount.
        if (c.value) {
            EXPECT_EQ(ReadAmount(FormatAmount(text)), c.value) << shown;
        }
    }
}

TEST_P(AmountUnderLocale, ShowsGroupsWithANoBreakSpaceAndPlainWithAMinus)
{
    const struct
    {
        const char16_t* text;
        const char16_t* shown;
        const char16_t* plain;
    } cases[] = {
        {u"1234", u"1_234", u"1234"},
        {u"-1500", u"(1_500)", u"-1500"},
        {u"1.234.567", u"1_234_567", u"1234567"},
        {u"123", u"123", u"123"},
        {u"0", u"0", u"0"},
        {u"-0,4", u"0", u"0"},
        {u"(1 500)", u"(1_500)", u"-1500"},
        {u"", u"", u""},
        {u"abc", u"abc", u"abc"}, // not an amount: left as it is
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatAmount(nb(c.text)), nb(c.shown))
            << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(PlainAmount(nb(c.text)), nb(c.plain)) << QString::fromUtf16(c.text).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, AmountUnderLocale,
                         ::testing::Values("C", "en_US.UTF-8", "bg_BG.UTF-8", "de_DE.UTF-8"));

TEST(AmountText, FormatNumberRoundsHalvesAwayFromZero)
{
    const struct
    {
        double value;
        const char16_t* shown;
        const char* plain;
    } cases[] = {
        {0.5, u"1", "1"},
        {-0.5, u"(1)", "-1"},
        {2.5, u"3", "3"},
        {-2.5, u"(3)", "-3"},
        {-0.0, u"0", "0"},
        {-0.49, u"0", "0"},
        {1234567.0, u"1_234_567", "1234567"},
        {-1234567.0, u"(1_234_567)", "-1234567"},
        {std::numeric_limits<double>::infinity(), u"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value), nb(c.shown)) << c.value;
        EXPECT_EQ(PlainNumber(c.value), QString::fromLatin1(c.plain)) << c.value;
    }
}

TEST(AmountText, AmountOrZeroTreatsMissingAndWrongTextAsZero)
{
    EXPECT_EQ(AmountOrZero(QString()), 0);
    EXPECT_EQ(AmountOrZero(QStringLiteral("abc")), 0);
    EXPECT_EQ(AmountOrZero(QStringLiteral("1,234")), 0);
    EXPECT_EQ(AmountOrZero(nb(u"(1_234)")), -1234);
}

TEST(AmountText, EntriesBeyondWhatADoubleHoldsExactlyAreRefused)
{
    EXPECT_EQ(ReadEntry(QStringLiteral("9007199254740991")), 9007199254740991.0);
    EXPECT_FALSE(ReadEntry(QStringLiteral("9007199254740993"))); // would be stored as 2^53
    EXPECT_FALSE(ReadEntry(QStringLiteral("-99999999999999999999")));
    EXPECT_TRUE(EntryRefusalMessage(QStringLiteral("9007199254740993")).contains(u"твърде голяма"));
    // A total that large still reads, so it never blocks the sums or the save.
    EXPECT_EQ(AmountOrZero(nb(u"18_014_398_509_481_984")), 18014398509481984.0);
    // Digits beyond a double's range are no amount at all.
    EXPECT_FALSE(ReadAmount(QString(400, u'9')));
}

// Each message says what is wrong and how to type the amount meant.
TEST(AmountText, RefusalMessagesSayHowToTypeTheAmount)
{
    const struct
    {
        const char16_t* text;
        std::vector<const char16_t*> says;
    } cases[] = {
        {u"12.5", {u"„12.5“", u"десетичният знак е запетая", u"цели левове", u"12,5 или 13"}},
        {u"1234.5", {u"1234,5 или 1_235"}},
        {u"1,234", {u"„1,234“ е двусмислено", u"1234 или 1_234"}},
        {u"-1,234", {u"-1234 или -1_234"}},
        {u"1,2345", {u"една или две цифри"}},
        {u"abc", {u"Въведете число!", u"1.234", u"показва се (1_500)", u"1234,5 става 1_235"}},
    };
    for (const auto& c : cases) {
        const QString message = EntryRefusalMessage(QString::fromUtf16(c.text));
        for (const char16_t* part : c.says)
            EXPECT_TRUE(message.contains(nb(part)))
                << message.toStdString() << " lacks " << nb(part).toStdString();
    }
    EXPECT_TRUE(EntryRefusalMessage(QStringLiteral("abc")).startsWith(u"Въведете число!"));
}

} // namespace
