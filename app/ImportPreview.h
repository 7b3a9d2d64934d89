// What the import dialog shows before anything is written: each account of
// the trial balance with its balance and the rows it goes to (named as the
// findings name rows: statement, title, code, column), the accounts the map
// does not place, the trial balance's totals and the cells the import fills.
// Plain text, no widgets: the dialog puts it in its tables.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

namespace telm {

struct AccountTarget;
struct ImportPlan;

struct ImportPreviewAccount
{
    QString account;
    QString name;
    QString balance; // "1 234,56 Дт", "80,00 Кт"
    QString places;  // where it goes, "; " between cells; kUnplacedText when nowhere
    bool placed = false;
};

struct ImportPreviewCell
{
    QString statement; // "Баланс"
    QString row;       // "„Стоки“ (код 03140)", "„Текуща печалба“"
    QString column;    // "Текуща година"
    QString amount;    // whole leva as the forms show them
    QString accounts;  // the accounts that feed it
};

struct ImportPreview
{
    std::vector<ImportPreviewAccount> accounts; // every account with a balance, in the file's order
    std::vector<ImportPreviewCell> cells;       // in the order the import fills them
    QString debit;                              // the closing debit balances' total
    QString credit;                             // and the credit balances'
    int unplaced = 0;
    QStringList statements; // the titles of the statements it fills
};

// A closing balance with its side: "1 234,56 Дт", "80,00 Кт".
QString BalanceText(qint64 stotinki);

// What an account the map does not place says where its place would be.
inline constexpr char16_t kUnplacedText[] = u"няма място в сметкоплана";

// The preview of a plan that was read (its refusal empty); the rows are named
// from the templates under the program folder.
ImportPreview PreviewImport(const ImportPlan& plan, const QString& programFolder);

} // namespace telm
