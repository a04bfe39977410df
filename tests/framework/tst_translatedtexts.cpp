#include "CCommonFrame.h"
#include "CMsgFrame.h"
#include "MendraMessageBox.h"
#include "MyButton.h"
#include "MyFrame.h"
#include "TitleBar.h"

#include "ModalHelper.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {
// Answers every text with its context in front, so that a text asked for under the wrong context
// shows it.
class ContextTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        return QString::fromLatin1(context) + QLatin1Char('|') + QString::fromUtf8(sourceText);
    }
    bool isEmpty() const override { return false; }
};

QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    return texts;
}
} // namespace

// Every text the frames and message boxes show goes through the translation system under the
// context of the class that shows it.
class TestTranslatedTexts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void titleBarTooltips();
    void frameRetranslation();
    void mainFrameMenu();
    void messageBoxTexts();

private:
    ContextTranslator m_translator;
};

void TestTranslatedTexts::initTestCase() {
    QVERIFY(QCoreApplication::installTranslator(&m_translator));
}

void TestTranslatedTexts::titleBarTooltips() {
    TitleBar bar(0);
    QCOMPARE(bar.SettingButton()->toolTip(), QStringLiteral("TitleBar|Settings"));
    QCOMPARE(bar.HelpButton()->toolTip(), QStringLiteral("TitleBar|Help center"));
    QCOMPARE(bar.FeedbackButton()->toolTip(), QStringLiteral("TitleBar|feedback"));
}

void TestTranslatedTexts::frameRetranslation() {
    auto* inner = new QWidget;
    inner->setWindowTitle(QStringLiteral("Inner"));
    CCommonFrame frame(inner, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame.Retranslate();
    TitleBar* bar = frame.GetTitleBar();
    QCOMPARE(bar->SettingButton()->toolTip(), QStringLiteral("CWindowsFrame|Settings"));
    QCOMPARE(bar->HelpButton()->toolTip(), QStringLiteral("CWindowsFrame|Help center"));
    QCOMPARE(bar->FeedbackButton()->toolTip(), QStringLiteral("CWindowsFrame|feedback"));
}

void TestTranslatedTexts::mainFrameMenu() {
    MyFrame frame(new QWidget, nullptr, CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_MIN, QPixmap(), 0);
    const QStringList expected{"MyFrame|Language",   "MyFrame|Setting", "MyFrame|User Guide",
                               "MyFrame|Bug Report", "MyFrame|About",   "MyFrame|Check for update"};
    QCOMPARE(MenuTexts(frame.GetMenu()), expected);
    QCOMPARE(frame.GetSettingsButton()->toolTip(), QStringLiteral("MyFrame|Menu"));
    frame.Retranslate();
    QCOMPARE(MenuTexts(frame.GetMenu()), expected);
    QCOMPARE(frame.GetSettingsButton()->toolTip(), QStringLiteral("MyFrame|Menu"));
}

void TestTranslatedTexts::messageBoxTexts() {
    MyMessageBox box;
    box.SetStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Discard);
    QCOMPARE(box.FirstButton()->text(), QStringLiteral("CMessageBox|OK"));
    QCOMPARE(box.SecondButton()->text(), QStringLiteral("CMessageBox|Don't Save"));
    QCOMPARE(box.ThirdButton()->text(), QStringLiteral("CMessageBox|Cancel"));

    MendraMessageBox product(QString(), QStringLiteral("text"), QMessageBox::Ok);
    QString title;
    WhenModalShown([&](QWidget* modal) {
        title = qobject_cast<CMsgFrame*>(modal)->GetTitleBar()->TitleLabel()->text();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    product.Exec();
    QCOMPARE(title, QStringLiteral("MendraMessageBox|Tavik Mendra"));
}

QTEST_MAIN(TestTranslatedTexts)
#include "tst_translatedtexts.moc"
