// Data files for the desk's tests, written from the shipped templates with a
// header and a few amounts, under the names the naming rule gives.
#pragma once

#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "xmlfiles/Checksum.h"
#include "xmlfiles/DataFile.h"
#include "xmlfiles/DataHeader.h"
#include "xmlfiles/XmlDocument.h"

#include <QString>

#include <map>

namespace telm::test {

struct Company
{
    QString bulstat;
    QString name;
};

// Writes the statement of `code` into `dataFolder` and returns its path; the
// amounts are row identifier → (field, amount).
inline QString
WriteStatement(const QString& programFolder, const QString& dataFolder, const Company& company,
               const char* code, int year, const QString& month,
               const std::multimap<int, std::pair<const char*, qint64>>& amounts = {},
               bool forecast = false)
{
    const DocType* type = DocTypeByCode(QString::fromLatin1(code));
    XmlDocument xml;
    if (!type || !xml.load(TemplatePath(programFolder, *type)))
        return QString();
    for (const auto& [id, amount] : amounts) {
        const std::string query = "//*[@DocStr_ID='" + std::to_string(id) + "']";
        pugi::xml_node row = xml.doc().select_node(query.c_str()).node();
        if (!row)
            return QString();
        pugi::xml_attribute field = row.attribute(amount.first);
        if (!field)
            field = row.append_attribute(amount.first);
        field.set_value(std::to_string(amount.second).c_str());
    }
    WriteDataHeader(xml, DataHeader{month, QString::number(year), company.bulstat, company.name,
                                    type->titleText(), forecast});
    const QString hash = ComputeRootHash(xml);
    xml.root().attribute("hash").set_value(hash.toUtf8().constData());
    const QString path = ComposeDataFilePath(dataFolder, kFilePrefix, type->codeFor(forecast),
                                             company.bulstat, qint16(year), month);
    return SaveDataFile(xml, path).ok ? path : QString();
}

} // namespace telm::test
