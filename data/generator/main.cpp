// telm_blankgen <forms folder> <output folder>: writes the shipped templates and
// the conditions file from the readable outlines.
#include "data/generator/Generate.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: telm_blankgen <forms folder> <output folder>\n");
        return 2;
    }
    if (const auto error = telm::blankgen::GenerateBlanki(args.at(1), args.at(2))) {
        std::fprintf(stderr, "%s\n", error->message.toUtf8().constData());
        return 1;
    }
    return 0;
}
