// The known companies offered as the user types: by BULSTAT from its first
// digits, by any part of the name; choosing one fills both fields. The
// new-document dialog and the import dialog share it.
#pragma once

#include "selection/DocumentContext.h"

#include <QObject>

#include <vector>

class QLineEdit;
class QStringListModel;

namespace telm {

class CompanyCompletion : public QObject
{
    Q_OBJECT

public:
    // Completes the two fields; owned by `parent`.
    CompanyCompletion(QLineEdit* bulstat, QLineEdit* name, QObject* parent);

    void setCompanies(std::vector<clsCompany> companies);
    const std::vector<clsCompany>& companies() const { return m_companies; }

    // Adds the company unless its BULSTAT is known.
    void addCompany(const clsCompany& company);

signals:
    // A company was chosen from the offered list and both fields are filled.
    void chosen(const clsCompany& company);

private:
    void choose(const QString& bulstat, const QString& name);

    QLineEdit* m_bulstat = nullptr;
    QLineEdit* m_name = nullptr;
    std::vector<clsCompany> m_companies;
    QStringListModel* m_bulstats = nullptr;
    QStringListModel* m_names = nullptr;
};

} // namespace telm
