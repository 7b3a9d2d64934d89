// The BULSTAT check-digit test, shared by the new-document dialog and telmtool.
#pragma once

#include <QString>

namespace telm {

bool CheckBulstat(const QString& text);

} // namespace telm
