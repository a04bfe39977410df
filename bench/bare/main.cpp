#include <QApplication>
#include <QLabel>

// A bare Qt Widgets window of the main window's size.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("bare window"));
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(1082, 718);
    window.show();
    return application.exec();
}
