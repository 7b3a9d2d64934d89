// Shared helpers of the template tests: where a type's shipped template is and
// how to load it.
#pragma once

#include "selection/Catalogue.h"
#include "xmlfiles/Rowset.h"

#include <QString>

namespace telm::test {

QString shippedTemplate(const DocType& type);
QString shippedConditions();

// Loads a shipped template; fails the calling test when it does not load.
Rowset loadShipped(const DocType& type);

} // namespace telm::test
