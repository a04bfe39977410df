// A tiny program on the single-instance application class. Arguments: id, message.
// The first instance prints "primary", then "received:<message>" for each message, and ends on
// the message "quit". A later instance prints "secondary", sends its message and exits with 0
// when the first one took it, else 1.
#include "platform/SingleInstanceApplication.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    platform::SingleInstanceApplication app(QString::fromLocal8Bit(argv[1]), argc, argv);
    const QString message = QString::fromUtf8(argv[2]);
    if (app.isRunning()) {
        std::printf("secondary\n");
        std::fflush(stdout);
        return app.sendMessage(message, 5000) ? 0 : 1;
    }
    QObject::connect(&app, &platform::SingleInstanceApplication::messageReceived, &app, [&app](const QString& text) {
        std::printf("received:%s\n", text.toUtf8().constData());
        std::fflush(stdout);
        if (text == QLatin1String("quit"))
            app.quit();
    });
    std::printf("primary\n");
    std::fflush(stdout);
    return app.exec();
}
