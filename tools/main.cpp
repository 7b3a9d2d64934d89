// telmtool entry point: arguments are taken as UTF-8 whatever the locale.
#include "platform/Application.h"
#include "tools/Telmtool.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromUtf8(argv[i]);
    // Printing draws text and needs a GUI application (with no screen); every
    // other command a plain one.
    std::unique_ptr<QCoreApplication> application;
    if (args.value(0) == QLatin1String("print")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    telm::platform::DescribeApplication(QStringLiteral("telmtool"));
    const int code = telm::tool::RunTelmtool(args, std::cout, std::cerr);
    // What is still buffered below the stream is written only now: a failure
    // here (a full disk) is a failure of the command.
    std::cout.flush();
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int why = errno;
        if (code == telm::tool::kExitUsage || code == telm::tool::kExitFailed)
            return code; // said already
        std::cerr << "telmtool: the output could not be written";
        if (why != 0)
            std::cerr << ": " << std::strerror(why);
        std::cerr << "\n";
        return telm::tool::kExitFailed;
    }
    return code;
}
