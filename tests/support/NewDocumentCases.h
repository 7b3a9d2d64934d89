// The checks of a new document's choices as one table, run through the
// new-document dialog and through telmtool fill: both must report the same
// first failure with the same text, and take the same choices.
#pragma once

namespace telm::test {

struct NewDocumentCase
{
    const char* month;   // the dialog's list offers only 3, 6, 9 and 12
    const char* year;    // as typed
    const char* bulstat; // as typed
    const char* company; // as typed (UTF-8)
    const char* type;    // catalogue code; the dialog's list offers every real one
    const char* message; // the first failed check; empty: the choices are taken
};

inline constexpr const char* kCaseCompany = "Фирма \"Север\" ООД";

inline constexpr NewDocumentCase kNewDocumentCases[] = {
    // Year, BULSTAT and name, checked in that order.
    {"12", "", "12345678", "", "Bal", "Въведете година!"},
    {"12", "", "", kCaseCompany, "Bal", "Въведете година!"},
    {"12", "05", "123456786", kCaseCompany, "Bal", "Въведете коректна година!"},
    {"12", "20055", "", "", "Bal", "Въведете коректна година!"},
    {"12", "-005", "123456786", kCaseCompany, "Bal", "Въведете коректна година!"},
    {"12", "1e10", "123456786", kCaseCompany, "Bal", "Въведете коректна година!"},
    {"12", " 200", "123456786", kCaseCompany, "Bal", "Въведете коректна година!"},
    {"12", "2,05", "123456786", kCaseCompany, "Bal", "Въведете коректна година!"},
    {"12", "+200", "123456786", kCaseCompany, "Bal", "Въведете коректна година!"},
    {"12", "2005", "", "", "Bal", "Въведете булстат на предприятието!"},
    {"12", "2005", "12345678", kCaseCompany, "Bal", "Въведете коректен булстат!"},
    {"12", "2005", "1234567861", kCaseCompany, "Bal", "Въведете коректен булстат!"},
    {"12", "2005", "12345678a", kCaseCompany, "Bal", "Въведете коректен булстат!"},
    {"12", "2005", " 12345678", kCaseCompany, "Bal", "Въведете коректен булстат!"},
    {"12", "2005", "123456789", "", "Bal", "Въведете коректен булстат!"},
    {"12", "2005", "123456786", "", "Bal", "Въведете име на предприятие!"},
    {"12", "2005", "123456786", "   ", "Bal", "Въведете име на предприятие!"},
    // A control character, as a paste can bring it, could not be written to XML.
    {"12", "2005", "123456786", "Фирма\aООД", "Bal",
     "Името на предприятието съдържа непозволен знак!"},
    // Month and type: the dialog's lists always hold a valid one; telmtool is told.
    {"5", "", "", "", "Bal", "Изберете месец 3, 6, 9 или 12!"},
    {"", "2005", "123456786", kCaseCompany, "Bal", "Изберете месец 3, 6, 9 или 12!"},
    {"12", "2005", "123456786", kCaseCompany, "Balance", "Изберете документ!"},
    {"12", "05", "123456786", kCaseCompany, "", "Въведете коректна година!"},
    // Taken: any four digits are a year, the check digit may come from the second sum.
    {"3", "0999", "100000086", kCaseCompany, "Bal", ""},
    {"12", "2005", "100000550", kCaseCompany, "OPRLiq2", ""},
};

} // namespace telm::test
