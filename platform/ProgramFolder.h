// Where the program lives: the folder of the running executable, which holds
// Blanki/, Data/ and Help.hlp. The program and telmtool take it from here.
#pragma once

#include <QString>

namespace telm::platform {

QString ProgramFolder();

} // namespace telm::platform
