#include "CMsgFrame.h"
#include "MendraMessageBox.h"
#include "MyButton.h"
#include "TitleBar.h"

#include "FrameworkSkin.h"
#include "ModalHelper.h"
#include "ResidentMemory.h"
#include "UrlRecorder.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
enum Answer { FirstButton, SecondButton, TitleCloseButton, EscapeKey };

// Shows each button as "text=value", or "-" when it is hidden.
QStringList ButtonStates(const MyMessageBox& box) {
    QStringList states;
    for (QPushButton* button : {box.FirstButton(), box.SecondButton(), box.ThirdButton()}) {
        if (button->isHidden())
            states << QStringLiteral("-");
        else
            states << QStringLiteral("%1=%2").arg(button->text()).arg(button->property("value").toInt(), 0, 16);
    }
    return states;
}
} // namespace

Q_DECLARE_METATYPE(Answer)

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void standardButtons_data();
    void standardButtons();
    void buttonText();
    void detailText();
    void answers_data();
    void answers();
    void queuedAnswers();
    void baseBoxGrowsWithItsText();
    void sizesAtScale();
    void centredOnParent();
    void messageSizeUnderShippedStyleSheet();
    void linkUrls_data();
    void linkUrls();
    void openUrlOpensOnlyWebAndMail();
    void tipCheckBox();
    void outsideTextShownAsItReads_data();
    void outsideTextShownAsItReads();

private:
    QTemporaryDir m_data;
};

void TestMessageBox::initTestCase() {
    qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
    LoadEditionData();
    gConfig = new MyConfig;
}

void TestMessageBox::cleanup() {
    MendraMessageBox::ClearQueuedAnswers();
    SetSkinScaleForScreenWidth(1920);
}

void TestMessageBox::standardButtons_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("states");

    using M = QMessageBox;
    QTest::newRow("ok cancel") << int(M::Ok | M::Cancel) << QStringList{"OK=400", "-", "Cancel=400000"};
    QTest::newRow("yes after ok wins") << int(M::Ok | M::Yes) << QStringList{"Yes=4000", "-", "-"};
    QTest::newRow("yes no") << int(M::Yes | M::No) << QStringList{"Yes=4000", "No=10000", "-"};
    QTest::newRow("retry ignore") << int(M::Retry | M::Ignore) << QStringList{"Retry=80000", "Ignore=100000", "-"};
    QTest::newRow("apply") << int(M::Apply) << QStringList{"Apply=2000000", "-", "-"};
    QTest::newRow("save discard cancel") << int(M::Save | M::Discard | M::Cancel)
                                         << QStringList{"Save=800", "Don't Save=800000", "Cancel=400000"};
    QTest::newRow("empty") << 0 << QStringList{"-", "-", "-"};
    QTest::newRow("unknown flag only") << int(M::Abort) << QStringList{"-", "-", "-"};
}

void TestMessageBox::standardButtons() {
    QFETCH(int, buttons);
    QFETCH(QStringList, states);
    MyMessageBox box;
    // A previous set must not linger.
    box.SetStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.SetStandardButtons(QMessageBox::StandardButtons(buttons));
    QCOMPARE(ButtonStates(box), states);
    for (QPushButton* button : {box.FirstButton(), box.SecondButton(), box.ThirdButton()}) {
        QCOMPARE(box.ButtonBox()->buttons().contains(button), !button->isHidden());
        QVERIFY(button->parent());
    }
}

void TestMessageBox::buttonText() {
    MyMessageBox box(QString(), QStringLiteral("text"), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.SetButtonText(QMessageBox::Cancel, QStringLiteral("Stop"));
    box.SetButtonText(QMessageBox::No, QStringLiteral("Keep"));
    box.SetButtonText(QMessageBox::Abort, QStringLiteral("ignored"));
    QCOMPARE(ButtonStates(box), (QStringList{"Yes=4000", "Keep=10000", "Stop=400000"}));
}

void TestMessageBox::detailText() {
    MyMessageBox box(QStringLiteral("Title"), QStringLiteral("text"), QStringLiteral("Name:"), QMessageBox::Ok);
    QVERIFY(!box.DetailLabel()->isHidden());
    QVERIFY(!box.InputField()->isHidden());
    box.InputField()->setText(QStringLiteral("  typed  "));
    QCOMPARE(box.GetInputText(), QStringLiteral("typed"));
    box.SetDetailText(QString());
    QVERIFY(box.DetailLabel()->isHidden());
    QVERIFY(box.InputField()->isHidden());
    QVERIFY(box.windowTitle().isEmpty());
    QCOMPARE(box.TitleLabel()->text(), QStringLiteral("Title"));
}

void TestMessageBox::answers_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("titleButtons");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("closeSignals");

    QTest::newRow("first button") << FirstButton << true << int(QMessageBox::Yes) << 0;
    QTest::newRow("second button") << SecondButton << true << int(QMessageBox::No) << 0;
    QTest::newRow("title close button") << TitleCloseButton << true << int(QMessageBox::Cancel) << 1;
    QTest::newRow("Escape") << EscapeKey << true << int(QMessageBox::Cancel) << 1;
    QTest::newRow("no title buttons, first button") << FirstButton << false << int(QMessageBox::Yes) << 0;
    QTest::newRow("no title buttons, Escape") << EscapeKey << false << int(QMessageBox::Cancel) << 1;
}

void TestMessageBox::answers() {
    QFETCH(Answer, answer);
    QFETCH(bool, titleButtons);
    QFETCH(int, result);
    QFETCH(int, closeSignals);

    QWidget owner;
    QPointer<MendraMessageBox> box =
        new MendraMessageBox(QString(), QStringLiteral("Device detected."), QMessageBox::Yes | QMessageBox::No, &owner);
    box->SetButtonText(QMessageBox::Yes, QStringLiteral("Yes"));
    box->SetButtonText(QMessageBox::No, QStringLiteral("No"));

    int signalsSeen = -1;
    bool closeButtonShown = false;
    QString title;
    WhenModalShown([&](QWidget* modal) {
        auto* frame = qobject_cast<CMsgFrame*>(modal);
        QVERIFY(frame);
        signalsSeen = 0;
        connect(frame, &CMsgFrame::CloseSignal, [&signalsSeen]() { ++signalsSeen; });
        closeButtonShown = !frame->GetTitleBar()->CloseButton()->isHidden();
        title = frame->GetTitleBar()->TitleLabel()->text();
        switch (answer) {
        case FirstButton:
            QTest::mouseClick(box->FirstButton(), Qt::LeftButton);
            break;
        case SecondButton:
            QTest::mouseClick(box->SecondButton(), Qt::LeftButton);
            break;
        case TitleCloseButton:
            QTest::mouseClick(frame->GetTitleBar()->CloseButton(), Qt::LeftButton);
            break;
        case EscapeKey:
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, Qt::Key_Escape);
            break;
        }
    });
    const int shown = titleButtons ? box->Exec() : box->ExecNoTitleButtons();
    QCOMPARE(shown, result);
    QCOMPARE(signalsSeen, closeSignals);
    QCOMPARE(closeButtonShown, titleButtons);
    QCOMPARE(title, QStringLiteral("Tavik Mendra"));
    // The box belongs to its caller: it is back with its parent, ready to be destroyed by it.
    QVERIFY(box);
    QCOMPARE(box->parentWidget(), &owner);
    delete box;
}

void TestMessageBox::queuedAnswers() {
    MendraMessageBox::QueueAnswer(QMessageBox::No);
    MendraMessageBox::QueueAnswer(QMessageBox::Yes);
    MendraMessageBox first(QString(), QStringLiteral("First?"), QMessageBox::Yes | QMessageBox::No);
    MendraMessageBox second(QString(), QStringLiteral("Second?"), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(first.Exec(), int(QMessageBox::No));
    QCOMPARE(second.ExecNoTitleButtons(), int(QMessageBox::Yes));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 0);
    QCOMPARE(MendraMessageBox::ShownMessages(), (QStringList{"First?", "Second?"}));
}

void TestMessageBox::baseBoxGrowsWithItsText() {
    MyMessageBox shortBox(QString(), QStringLiteral("Short."), QMessageBox::Ok);
    const int line = QFontMetrics(shortBox.TextLabel()->font()).height();
    WhenModalShown([&](QWidget*) { QTest::mouseClick(shortBox.FirstButton(), Qt::LeftButton); });
    QCOMPARE(shortBox.Exec(), int(QMessageBox::Ok));
    QCOMPARE(shortBox.TextLabel()->size(), QSize(320, line));
    QCOMPARE(shortBox.TextLabel()->alignment(), Qt::AlignCenter);

    // A text of a little over two label widths takes three lines, with a gap of 4 under each.
    MyMessageBox longBox(QStringLiteral("Title"), QString(), QMessageBox::Ok);
    const QFontMetrics metrics(longBox.TextLabel()->font());
    QString text;
    while (metrics.horizontalAdvance(text) <= 2 * 320)
        text += QStringLiteral("word ");
    longBox.SetText(text);
    WhenModalShown([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(longBox.Exec(), int(QMessageBox::Cancel));
    QCOMPARE(longBox.TextLabel()->size(), QSize(320, 3 * line + 3 * 4));
    QCOMPARE(longBox.TextLabel()->alignment(), Qt::AlignHCenter);
}

void TestMessageBox::sizesAtScale() {
    SetSkinScaleForScreenWidth(3840);
    QCOMPARE(SkinManager::Instance()->GetScale(), 1.5);
    MendraMessageBox box(QString(), QStringLiteral("A long message that has to wrap inside the box. ").repeated(6),
                         QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.size(), QSize(702, 270));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    for (QPushButton* button : {box.FirstButton(), box.ThirdButton()})
        QCOMPARE(button->size(), QSize(165, 42));
    QCOMPARE(box.IconLabel()->size(), QSize(60, 60));

    WhenModalShown([&](QWidget*) { QTest::mouseClick(box.FirstButton(), Qt::LeftButton); });
    QCOMPARE(box.Exec(), int(QMessageBox::Ok));
    QCOMPARE(box.MessageLabel()->width(), 570);
    QCOMPARE(box.size(), QSize(702, 270));

    // With the shipped skin: the notice picture fills the icon, the product icon fits 34 x 34.
    QCOMPARE(InitShippedSkin(), 3);
    {
        MendraMessageBox skinned(QString(), QStringLiteral("text"), QMessageBox::Ok);
        QCOMPARE(skinned.IconLabel()->pixmap(Qt::ReturnByValue).size(), QSize(60, 60));
        QSize titleIcon;
        WhenModalShown([&](QWidget* modal) {
            titleIcon = qobject_cast<CMsgFrame*>(modal)->GetTitleBar()->IconLabel()->pixmap(Qt::ReturnByValue).size();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QCOMPARE(skinned.Exec(), int(QMessageBox::Cancel));
        QVERIFY(!titleIcon.isEmpty());
        QVERIFY(titleIcon.width() <= 34 && titleIcon.height() <= 34);
        QVERIFY(titleIcon.width() == 34 || titleIcon.height() == 34);
    }
    SkinManager::Release();
}

void TestMessageBox::centredOnParent() {
    QWidget parent;
    parent.setGeometry(QGuiApplication::primaryScreen()->availableGeometry().adjusted(50, 50, -50, -50));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    MendraMessageBox box(QString(), QStringLiteral("text"), QMessageBox::Ok, &parent);
    QRect frame;
    WhenModalShown([&](QWidget* modal) {
        frame = modal->frameGeometry();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    box.Exec();
    // The frame is placed before its title bar adds to the box's fixed height; shown, it is centred.
    const QPoint offset = frame.center() - QRect(parent.mapToGlobal(QPoint(0, 0)), parent.size()).center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
}

void TestMessageBox::messageSizeUnderShippedStyleSheet() {
    // The skin's general font rule must not override the message's own size (12 at scale 1.0).
    SetSkinScaleForScreenWidth(3840);
    QCOMPARE(InitShippedSkin(), 3);
    SkinManager::Instance()->LoadStyleSheet();
    qApp->setStyleSheet(SkinManager::Instance()->GetStyleSheet());
    {
        MendraMessageBox box(QString(), QStringLiteral("text"), QMessageBox::Ok);
        box.ensurePolished();
        box.MessageLabel()->ensurePolished();
        QCOMPARE(QFontInfo(box.MessageLabel()->font()).pixelSize(), 18);
    }
    qApp->setStyleSheet(QString());
    SkinManager::Release();
}

void TestMessageBox::linkUrls_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("url");

    QTest::newRow("e-mail address") << "support@example.com"
                                    << "mailto:support@example.com";
    QTest::newRow("dotted e-mail address") << "first.last@mail.example.co.uk"
                                           << "mailto:first.last@mail.example.co.uk";
    QTest::newRow("web page") << "https://www.example.com/guide?x=1"
                              << "https://www.example.com/guide?x=1";
    QTest::newRow("plain http") << "http://example.com"
                                << "http://example.com";
    QTest::newRow("mailto link") << "mailto:someone@example.com"
                                 << "mailto:someone@example.com";
    QTest::newRow("trailing blank is no address") << "support@example.com "
                                                  << "";
    QTest::newRow("no domain dot") << "user@localhost"
                                   << "";
    QTest::newRow("local file") << "file:///etc/passwd"
                                << "";
    QTest::newRow("bare path") << "/usr/bin/xterm"
                               << "";
    QTest::newRow("script") << "javascript:alert(1)"
                            << "";
    QTest::newRow("other scheme") << "ftp://example.com/file"
                                  << "";
    QTest::newRow("web scheme without host") << "http:relative"
                                             << "";
}

void TestMessageBox::linkUrls() {
    QFETCH(QString, link);
    QFETCH(QString, url);
    QCOMPARE(MessageLinkUrl(link).toString(), url);
}

void TestMessageBox::openUrlOpensOnlyWebAndMail() {
    UrlRecorder recorder({"http", "https", "mailto", "file", "ftp"});
    MyMessageBox box;
    box.SetText(QStringLiteral("<a href=\"https://example.com\">help</a>"));
    emit box.TextLabel()->linkActivated(QStringLiteral("https://example.com"));
    box.OpenUrl(QStringLiteral("help@example.com"));
    box.OpenUrl(QStringLiteral("file:///home/user/secret.txt"));
    box.OpenUrl(QStringLiteral("ftp://example.com"));
    QCOMPARE(recorder.opened, (QList<QUrl>{QUrl("https://example.com"), QUrl("mailto:help@example.com")}));
}

void TestMessageBox::tipCheckBox() {
    MendraMessageBox plain(QString(), QStringLiteral("text"), QMessageBox::Ok);
    QVERIFY(!plain.TipCheckBox());

    MendraMessageBox other(QString(), QStringLiteral("text"), QMessageBox::Ok, nullptr, true);
    QVERIFY(other.TipCheckBox());
    QVERIFY(other.TipCheckBox()->text().isEmpty());
    gConfig->SetShowTips(true, false);
    other.TipCheckBox()->setChecked(true);
    QCOMPARE(gConfig->GetShowTips(), true);

    MendraMessageBox named(QString(), QStringLiteral("text"), QMessageBox::Ok, nullptr, true);
    named.setObjectName(QStringLiteral("Duplicate name"));
    named.TipCheckBox()->setChecked(true);
    QCOMPARE(gConfig->GetShowTips(), false);
    named.TipCheckBox()->setChecked(false);
    QCOMPARE(gConfig->GetShowTips(), true);
}

// A message may carry what a device, its library or a server said: every label of the boxes shows it as it reads.
// Markup in it renders nothing and loads nothing it names; an image of /dev/zero is read without end.
void TestMessageBox::outsideTextShownAsItReads_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("an image of /dev/zero") << QStringLiteral("Ada's <img src=\"file:///dev/zero\"> iPhone");
    QTest::newRow("a heading") << QStringLiteral("<h1>Ada's iPhone</h1>");
    QTest::newRow("a font") << QStringLiteral("<font size=7 color=red>Ada's iPhone</font>");
}

void TestMessageBox::outsideTextShownAsItReads() {
    QFETCH(QString, text);
    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::CurrentMb();
    QElapsedTimer clock;
    clock.start();
    MendraMessageBox box(text, text, QMessageBox::Ok);
    MyMessageBox base(text, text, text, QMessageBox::Ok);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&box, &base}) {
        dialog->show();
        dialog->grab();
    }
    const qint64 took = clock.elapsed();
    const qint64 grown = ResidentMemory::PeakMb() - before;

    QVERIFY2(grown < 64, qPrintable(QStringLiteral("%1 MB more resident").arg(grown)));
    QVERIFY2(took < 1000, qPrintable(QStringLiteral("showing the boxes took %1 ms").arg(took)));
    for (QLabel* label : {box.MessageLabel(), base.TitleLabel(), base.TextLabel(), base.DetailLabel()}) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }
}

QTEST_MAIN(TestMessageBox)
#include "moc_UrlRecorder.cpp"
#include "tst_messagebox.moc"
