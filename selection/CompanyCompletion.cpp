#include "selection/CompanyCompletion.h"

#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

#include <algorithm>

namespace telm {

CompanyCompletion::CompanyCompletion(QLineEdit* bulstat, QLineEdit* name, QObject* parent)
    : QObject(parent), m_bulstat(bulstat), m_name(name)
{
    m_bulstats = new QStringListModel(this);
    m_names = new QStringListModel(this);
    auto* byBulstat = new QCompleter(m_bulstats, parent);
    byBulstat->setObjectName(QStringLiteral("cmpBulstat"));
    auto* byName = new QCompleter(m_names, parent);
    byName->setObjectName(QStringLiteral("cmpName"));
    byName->setCaseSensitivity(Qt::CaseInsensitive);
    byName->setFilterMode(Qt::MatchContains);
    m_bulstat->setCompleter(byBulstat);
    m_name->setCompleter(byName);
    connect(byBulstat, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& text) { choose(text, QString()); });
    connect(byName, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& text) { choose(QString(), text); });
}

void CompanyCompletion::setCompanies(std::vector<clsCompany> companies)
{
    m_companies = std::move(companies);
    QStringList bulstats;
    QStringList names;
    for (const clsCompany& company : m_companies) {
        bulstats << company.Bulstat;
        if (!names.contains(company.Name))
            names << company.Name;
    }
    m_bulstats->setStringList(bulstats);
    m_names->setStringList(names);
}

void CompanyCompletion::addCompany(const clsCompany& company)
{
    const bool known =
        std::any_of(m_companies.begin(), m_companies.end(),
                    [&](const clsCompany& c) { return c.Bulstat == company.Bulstat; });
    if (known)
        return;
    std::vector<clsCompany> companies = m_companies;
    companies.push_back(company);
    setCompanies(std::move(companies));
}

void CompanyCompletion::choose(const QString& bulstat, const QString& name)
{
    for (const clsCompany& company : m_companies) {
        if ((!bulstat.isEmpty() && company.Bulstat == bulstat)
            || (bulstat.isEmpty() && company.Name == name)) {
            m_bulstat->setText(company.Bulstat);
            m_name->setText(company.Name);
            emit chosen(company);
            return;
        }
    }
}

} // namespace telm
