// telmtool entry point: arguments are taken as UTF-8 whatever the locale.
#include "tools/Telmtool.h"

#include <iostream>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromUtf8(argv[i]);
    const int code = telm::tool::RunTelmtool(args, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
