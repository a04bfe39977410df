// Compares freshly drawn art with a committed copy, as a viewer sees it (see ArtComparison.h).
//   mendra-skincompare DRAWN COMMITTED   exits with 1 and lists what differs when they do not match

#include "ArtComparison.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: mendra-skincompare DRAWN COMMITTED\n");
        return 2;
    }
    const QStringList differences = CompareArtFolders(arguments.at(1), arguments.at(2));
    for (const QString& difference : differences)
        std::fprintf(stderr, "mendra-skincompare: %s\n", qPrintable(difference));
    return differences.isEmpty() ? 0 : 1;
}
