// Amounts as accountants type them, with what each must be stored as (plain
// digits) or why it is refused: one table for every road that reads typed
// amounts (the editor box, paste, telmtool fill).
#pragma once

namespace telm::test {

struct TypedAmount
{
    const char* text;
    const char* stored;  // plain digits as in the data file; nullptr when refused
    const char* message; // a part of the refusal's message; nullptr when stored
};

inline constexpr TypedAmount kTypedAmounts[] = {
    {"1.234", "1234", nullptr},
    {"1 234 567", "1234567", nullptr},
    {"2,5", "3", nullptr},
    {"(1 500)", "-1500", nullptr},
    {"1234,50", "1235", nullptr},
    {"1,234", nullptr, "двусмислено"},
    {"12.5", nullptr, "десетичният знак е запетая"},
};

} // namespace telm::test
