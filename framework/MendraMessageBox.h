#pragma once

#include "CAbstractFrame.h"
#include "MyMessageBox.h"

#include <QStringList>

class QCheckBox;

// The message box every part of the program shows: notice icon, message, buttons at the bottom
// right, in a frame whose title bar carries the product name and icon. Its Exec functions return the
// standard button the user pressed, or Cancel when the frame was closed another way.
class MendraMessageBox : public MyMessageBox {
    Q_OBJECT
public:
    MendraMessageBox(const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
                     QWidget* parent = nullptr, bool tip = false, Qt::WindowFlags flags = Qt::FramelessWindowHint);
    ~MendraMessageBox() override;

    int Exec();
    int ExecNoTitleButtons();
    void SetTipText(const QString& text);

    QLabel* MessageLabel() const { return m_messageLabel; }
    QLabel* IconLabel() const { return m_iconLabel; }
    QCheckBox* TipCheckBox() const { return m_tipCheckBox; }

    // Test seam: while answers are queued, each box returns the next one at once instead of
    // showing itself, and its message is recorded in ShownMessages.
    static void QueueAnswer(int answer);
    static void ClearQueuedAnswers();
    static int QueuedAnswerCount();
    static QStringList ShownMessages();

protected:
    void BuildUi() override;
    void paintEvent(QPaintEvent* event) override;

private slots:
    void TipsSlot(int state);

private:
    void ApplyStyle();
    void SetIcon();
    int ExecInFrame(CAbstractFrame::FrameTypes types);

    QLabel* m_messageLabel = nullptr;
    QLabel* m_boxTitleLabel = nullptr;
    QLabel* m_iconLabel = nullptr;
    QCheckBox* m_tipCheckBox = nullptr;
    QWidget* m_boxContainer = nullptr;
    bool m_tip = false;
};
