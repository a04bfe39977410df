#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

class QSocketNotifier;
#include <QWidget>

// Lets a test that started the program as a child process act as its user: answer message boxes,
// press buttons, read widget properties and close the main frame. Only made when the environment
// variable MENDRA_TEST_CONTROL is set. Commands arrive on standard input, one per line; each gets
// one reply line "<command>: <result>" on standard output.
//
//   answer <button>          the next product message box returns <button> without showing
//   messages                 the texts of the product message boxes answered that way, " | " between
//   get <name> <property>    a property of the widget named <name> ("frame": the main frame)
//   click <name>             presses the button named <name>
//   modal                    the text of the modal box on screen, empty when none
//   accept                   accepts that box
//   set <name> <property> <text>   sets a text property of the widget named <name> (the rest of the line)
//   trigger <text>           picks the main frame's menu entry with that text
//   close [<name>]           closes the main frame (or the window of the widget named <name>) as its title
//                            bar's close button does
class TestControl : public QObject {
    Q_OBJECT
public:
    // Null unless the environment asks for it.
    static TestControl* CreateFromEnvironment(QObject* parent);

    void SetFrame(QWidget* frame) { m_frame = frame; }
    // One line on standard output, such as "ready" once the main frame is on screen.
    static void Print(const QByteArray& line);

private slots:
    void ReadCommands();

private:
    explicit TestControl(QObject* parent);
    QByteArray Run(const QList<QByteArray>& words);
    QWidget* Find(const QByteArray& name) const;

    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_pending;
    QPointer<QWidget> m_frame;
};
