// Prints the program folder as the platform layer finds it, for a test that starts this program through
// links.
#include "platform/ProgramFolder.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("%s\n", platform::programFolder().toUtf8().constData());
    return 0;
}
