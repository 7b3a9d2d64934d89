#include "xmlfiles/Checksum.h"

#include "xmlfiles/Cp1251.h"
#include "xmlfiles/DataFile.h"

#include <gtest/gtest.h>

using namespace telm;

TEST(Checksum, KnownTexts)
{
    struct Case
    {
        QString text;
        const char* hash;
    };
    const Case cases[] = {
        {"abc", "159_471_765"},
        {"a", "157_158_255"},
        {"", "0_0_0"},
        // а = 224: A = (224+1)^255 = 30, B = 224^255 = 31, C = 31 + 224
        {QString::fromUtf8("а"), "30_31_255"},
        // А = 192: A = 193^255 = 62, B = 63, C = 63 + 192
        {QString::fromUtf8("А"), "62_63_255"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputeHash(c.text), c.hash) << c.text.toStdString();
        EXPECT_EQ(ComputeHashUtf8(c.text.toStdString()), c.hash) << c.text.toStdString();
    }
}

TEST(Checksum, WindowsCodes)
{
    struct Case
    {
        char32_t codePoint;
        int code;
    };
    const Case cases[] = {
        {U'A', 65},     {0x0410, 0xC0}, {0x044F, 0xFF}, {0x0401, 0xA8},
        {0x0451, 0xB8}, {0x2116, 0xB9}, {0x20AC, 0x88}, {0x00A0, 0xA0},
        {0x0402, 0x80}, {0x0457, 0xBF}, {0x00E9, 63}, // é has no Windows-1251 code
        {0x0098, 63},                                 // the unassigned 0x98
        {0x1F600, 63},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cp1251Code(c.codePoint), c.code)
            << std::hex << static_cast<unsigned>(c.codePoint);
}

TEST(Checksum, TextAndUtf8FormsAgree)
{
    const QString texts[] = {
        QString::fromUtf8("Баланс № 5 — „тест“ € ©"),
        QString::fromUtf8("emoji 😀 and é"),
        QString::fromUtf8("<xml a=\"&amp;\">\tред\n</xml>"),
    };
    for (const QString& text : texts)
        EXPECT_EQ(ComputeHash(text), ComputeHashUtf8(text.toStdString())) << text.toStdString();
    // Bytes that start no character count once each as "?".
    EXPECT_EQ(ComputeHashUtf8("\xFF\xC0"), ComputeHash("??"));
}

TEST(Checksum, ThirdSumIsSecondPlusCodes)
{
    const QString texts[] = {"x", "abc", QString::fromUtf8("Нетекущи активи"), QString(300, u'я')};
    for (const QString& text : texts) {
        const QStringList parts = ComputeHash(text).split(u'_');
        ASSERT_EQ(parts.size(), 3);
        const quint64 b = parts[1].toULongLong();
        const quint64 c = parts[2].toULongLong();
        quint64 codes = 0;
        for (const QChar ch : text)
            codes += Cp1251Code(ch.unicode());
        EXPECT_EQ(c, b + codes);
        EXPECT_GE(c, b);
    }
}

// The writer and the check hash the serialisation piece by piece; cuts may fall
// inside a character, and the sums must equal those of the whole text.
TEST(Checksum, PiecesSumLikeTheWholeText)
{
    const std::string texts[] = {
        QString::fromUtf8("Баланс № 5 — €😀 abc").toStdString(),
        std::string("\xD0\x90\xFF\xE2\x82\x41\xF0\x9F", 8), // broken and cut-off sequences
    };
    for (const std::string& text : texts) {
        const QString whole = ComputeHashUtf8(text);
        for (size_t cut1 = 0; cut1 <= text.size(); ++cut1) {
            for (size_t cut2 = cut1; cut2 <= text.size(); ++cut2) {
                const std::string_view view(text);
                const std::vector<std::string_view> pieces = {
                    view.substr(0, cut1), view.substr(cut1, cut2 - cut1), view.substr(cut2)};
                EXPECT_EQ(ComputeHashUtf8Pieces(pieces), whole) << cut1 << " " << cut2;
            }
        }
    }
}
