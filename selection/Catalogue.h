// The fourteen document types: the one table that names each type's title,
// file-name code, template and editing form.
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace telm {

// Which of the twelve document forms edits a type (the form profile's name).
enum class FormId {
    frmDocBalance,
    frmDocBalanceLiquid,
    frmDocMFlowLiquid,
    frmDocOPPCur,
    frmDocOPR,
    frmDocOPRLiquid,
    frmDocCapital,
    frmDocTake,
    frmDocLiability,
    frmDocProvisions,
    frmDocOPRInterest,
    frmDocMFlow,
};

// The value a shared form's variant flag takes for a type.
enum class VariantFlag {
    None,
    BalanceLiquid,  // balance-in-liquidation flag false
    BalanceLiquid2, // balance-in-liquidation flag true
    IncomeLiquid,   // income-statement-in-liquidation flag false
    IncomeLiquid2,  // income-statement-in-liquidation flag true
};

struct DocType
{
    const char16_t* title; // the key stored in data files, character for character
    const char* code;
    const char* forecastCode;
    const char* templateFile; // relative to the program folder, '/'-separated
    FormId form;
    VariantFlag variant;
    int helpTopic;

    QString titleText() const { return QString::fromUtf16(title); }
    QString codeFor(bool forecast) const
    {
        return QString::fromLatin1(forecast ? forecastCode : code);
    }
    // The type a shared form's variant flag picks when true ("Баланс в ликвидация 2").
    bool secondVariant() const
    {
        return variant == VariantFlag::BalanceLiquid2 || variant == VariantFlag::IncomeLiquid2;
    }
};

constexpr int kDocTypeCount = 14;

const std::array<DocType, kDocTypeCount>& Catalogue();

// Lookup by list position 0..13 of the new-document dialog.
const DocType* DocTypeAt(int position);

// Lookup by exact, case-sensitive title; no match gives nullptr.
const DocType* DocTypeByTitle(const QString& title);

// The title printed on paper: the official form's where the catalogue's
// differs from it (the catalogue's stays the key of data files and of the
// conditions file); any other title unchanged.
QString PaperTitle(const QString& title);

// Lookup by code ("Bal", "BalLiq2"; not the forecast code); no match gives nullptr.
const DocType* DocTypeByCode(const QString& code);

// Lookup by a template's file name ("testdata_Bal.xml", any letter case).
const DocType* DocTypeByTemplateName(const QString& fileName);

// Position of a type in the catalogue (0..13).
int DocTypePosition(const DocType& type);

} // namespace telm
