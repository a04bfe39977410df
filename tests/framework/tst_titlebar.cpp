#include "MyButton.h"
#include "TitleBar.h"

#include "FrameworkSkin.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QtTest>

class TestTitleBar : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void sizesAtScale();
    void buttonSize();
    void itemsAtCreation();
    void titleIcon();
    void insertBeforeMinimize();
    void insertPlacesPerLayoutWord();
    void reloadSkinKeepsMovieState();
};

void TestTitleBar::cleanup() {
    SetSkinScaleForScreenWidth(1920);
}

void TestTitleBar::sizesAtScale() {
    SetSkinScaleForScreenWidth(3840);
    TitleBar bar(0);
    QCOMPARE(bar.height(), 45);
    for (MyButton* button : bar.Buttons())
        QCOMPARE(button->size(), QSize(48, 42));
    QCOMPARE(bar.FirstSeparator()->height(), 34);
    QCOMPARE(bar.SecondSeparator()->height(), 34);
    QCOMPARE(bar.RightColumnRow()->contentsMargins().left(), 7);
    QCOMPARE(bar.LeftColumnRow()->contentsMargins().left(), 7);
    QCOMPARE(bar.HelpButton()->layout()->contentsMargins().top(), 3);
}

void TestTitleBar::buttonSize() {
    TitleBar bar(0);
    bar.SetButtonSize(20, 20);
    for (MyButton* button : bar.Buttons())
        QCOMPARE(button->size(), QSize(20, 20));
    QCOMPARE(bar.height(), 30);
    bar.SetTitleHeight(40);
    QCOMPARE(bar.height(), 40);
    QCOMPARE(bar.GetTitleHeight(), 40);
}

void TestTitleBar::itemsAtCreation() {
    TitleBar bar(0);
    for (QWidget* hidden : {static_cast<QWidget*>(bar.RestoreButton()), static_cast<QWidget*>(bar.IntelButton()),
                            static_cast<QWidget*>(bar.AmdButton()), static_cast<QWidget*>(bar.NvidiaButton()),
                            static_cast<QWidget*>(bar.AnimationLabel())})
        QVERIFY(hidden->isHidden());
    QVERIFY(!bar.CloseButton()->isHidden());
    QCOMPARE(bar.Movie()->state(), QMovie::NotRunning);
    for (MyButton* button : bar.Buttons()) {
        // Title buttons never take the focus and never act as the dialog's default button.
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(!button->autoDefault());
    }
    QCOMPARE(bar.SettingButton()->property("BUTTON_TYPE").toInt(), 16);
    QCOMPARE(bar.HelpButton()->property("BUTTON_TYPE").toInt(), 32);
    QCOMPARE(bar.FeedbackButton()->property("BUTTON_TYPE").toInt(), 128);
    QCOMPARE(bar.CloseButton()->property("STYLE_KEY").toString(), QStringLiteral("CLOSE_BTN"));
    QCOMPARE(bar.FirstSeparator()->property("STYLE_KEY").toString(), QStringLiteral("LINE_LABEL"));
    QCOMPARE(bar.Background()->objectName(), QStringLiteral("titleBackground"));
    bar.SetBackgroundObjectName(QStringLiteral("mainframe"));
    QCOMPARE(bar.Background()->objectName(), QStringLiteral("mainframe"));
}

void TestTitleBar::titleIcon() {
    TitleBar bar(0);
    bar.setTitleIcon(QPixmap());
    QVERIFY(bar.IconLabel()->isHidden());
    QPixmap icon(12, 12);
    icon.fill(Qt::blue);
    bar.setTitleIcon(icon);
    QVERIFY(!bar.IconLabel()->isHidden());
    QCOMPARE(bar.IconLabel()->pixmap(Qt::ReturnByValue).size(), QSize(12, 12));
}

void TestTitleBar::insertBeforeMinimize() {
    TitleBar bar(0);
    QWidget extra;
    bar.InsertBeforeMinimize(&extra, 10);
    QHBoxLayout* row = bar.RightColumnRow();
    const int index = row->indexOf(&extra);
    QCOMPARE(row->itemAt(index - 1)->widget(), bar.FirstSeparator());
    QVERIFY(row->itemAt(index + 1)->spacerItem());
    QCOMPARE(row->itemAt(index + 1)->sizeHint().width(), 10);
    QCOMPARE(row->itemAt(index + 2)->widget(), bar.MinimizeButton());
    QCOMPARE(row->itemAt(index + 3)->widget(), bar.MaximizeButton());
    QCOMPARE(row->itemAt(index + 4)->widget(), bar.RestoreButton());
    QCOMPARE(row->itemAt(index + 5)->widget(), bar.CloseButton());
    QCOMPARE(row->count(), index + 6);

    bar.InsertBeforeMinimize(nullptr, 10);
    QCOMPARE(row->count(), index + 6);
}

void TestTitleBar::insertPlacesPerLayoutWord() {
    // Title centred: the left column holds the spare row, so a widget "before the title" is appended
    // there with its spacing in front.
    TitleBar centred(1);
    QWidget beforeTitle;
    centred.InsertBeforeTitle(&beforeTitle, 6);
    QHBoxLayout* left = centred.LeftColumnRow();
    QCOMPARE(left->count(), 2);
    QVERIFY(left->itemAt(0)->spacerItem());
    QCOMPARE(left->itemAt(1)->widget(), &beforeTitle);

    // No arrangement: no column has a row, every insertion is ignored.
    TitleBar none(2);
    QWidget ignored;
    none.InsertBeforeMinimize(&ignored, 4);
    none.AddToCentre(&ignored, 4);
    none.InsertBeforeTitle(&ignored, 4);
    QVERIFY(ignored.parent() == nullptr);
}

void TestTitleBar::reloadSkinKeepsMovieState() {
    QCOMPARE(InitShippedSkin(), 3);
    {
        TitleBar bar(0);
        QVERIFY(bar.Movie()->isValid());
        QVERIFY(!bar.FirstSeparator()->pixmap(Qt::ReturnByValue).isNull());
        bar.ReloadSkin();
        QCOMPARE(bar.Movie()->state(), QMovie::NotRunning);
        bar.Movie()->start();
        bar.ReloadSkin();
        QCOMPARE(bar.Movie()->state(), QMovie::Running);
    }
    SkinManager::Release();
}

QTEST_MAIN(TestTitleBar)
#include "tst_titlebar.moc"
