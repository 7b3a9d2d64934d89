// Generates every shipped template and the conditions file from the outlines.
#pragma once

#include "data/generator/Outline.h"

#include <QByteArray>
#include <QString>

#include <map>

namespace telm::blankgen {

// File name ("testdata_Bal.xml", "Conditions.xml") -> bytes, or the first error.
// The conditions are checked against the templates: every id exists in the
// type's outline, targets are locked rows, and a result used as a source was
// computed on an earlier line.
std::optional<OutlineError> GenerateFiles(const QString& formsDir,
                                          std::map<QString, QByteArray>& files);

// GenerateFiles, then writes the files into `outDir`.
std::optional<OutlineError> GenerateBlanki(const QString& formsDir, const QString& outDir);

} // namespace telm::blankgen
