// mendra-webpage: hosts the web engine of the program's hidden web page (HiddenWebPage), in a process of its own.

#include "WebPageHost.h"

#include "platform/WebEngineSandbox.h"

#include <QApplication>

int main(int argc, char** argv) {
    platform::prepareWebEngineSandbox();
    // The web engine shares its OpenGL context with the application; Qt has to know before the application
    // object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    WebPageHost host;
    host.Start();
    return application.exec();
}
