// A message for the user as the core words it: a window shows it in a modal
// message box, telmtool writes it to its error stream.
#pragma once

#include <QString>

namespace telm {

struct UserMessage
{
    enum class Icon { Critical, Warning, Information };
    QString title;
    QString text;
    Icon icon = Icon::Critical;
};

} // namespace telm
