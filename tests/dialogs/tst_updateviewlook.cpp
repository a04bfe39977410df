// The update dialog with the shipped skin and its style sheet, in every language: its buttons keep their size
// through a change of language, and no text is cut, however long a translation or a version is.

#include "FindWidget.h"
#include "FrameworkSkin.h"
#include "app/EditionData.h"
#include "app/Language.h"
#include "dialogs/ElidingLabel.h"
#include "dialogs/MyUpdateView.h"
#include "framework/ApplicationFonts.h"
#include "update/UpdateResult.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(UpdateViewState)

namespace {

QString LanguageFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Language");
}

void SwitchLanguage(const QString& language) {
    QVERIFY(LoadTranslator(language, LanguageFolder(), QStringLiteral("Mendra")));
    SetupApplicationFonts(SkinManager::Instance()->GetStyleSheet(), language);
}

// Why the label does not show its whole text; empty when it does.
QString Cut(const QLabel& label, const QWidget& dialog) {
    const QRect inDialog(label.mapTo(&dialog, QPoint(0, 0)), label.size());
    if (!dialog.rect().contains(inDialog))
        return QStringLiteral("reaches out of the dialog");
    if (const auto* eliding = qobject_cast<const ElidingLabel*>(&label)) {
        if (eliding->IsElided() && !label.toolTip().contains(label.text().toHtmlEscaped()))
            return QStringLiteral("elided without the whole text as its tooltip");
        return QString();
    }
    const QRect area = label.contentsRect();
    if (label.wordWrap())
        return label.heightForWidth(label.width()) > label.height() ? QStringLiteral("wraps to more lines than fit")
                                                                    : QString();
    return label.fontMetrics().horizontalAdvance(label.text()) > area.width() ? QStringLiteral("wider than it is")
                                                                              : QString();
}

} // namespace

class TestUpdateViewLook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void buttonsKeepTheirSize();
    void nothingCut_data();
    void nothingCut();
};

void TestUpdateViewLook::initTestCase() {
    QVERIFY(LoadEditionData());
    gAppData->Version = QStringLiteral("1.0.0.1");
    QCOMPARE(InitShippedSkin(), 3);
    SetSkinScaleForScreenWidth(1920);
    SkinManager::Instance()->LoadStyleSheet();
}

void TestUpdateViewLook::cleanupTestCase() {
    SwitchLanguage(QStringLiteral("en"));
}

// The skin gives these buttons a smaller minimum height than the dialog's fixed one.
void TestUpdateViewLook::buttonsKeepTheirSize() {
    SwitchLanguage(QStringLiteral("en"));
    MyUpdateView view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QSize size(UiScaled(120), UiScaled(32));
    for (const QString& language : QStringList{"en", "fr", "de"}) {
        if (language != QLatin1String("en")) {
            SwitchLanguage(language);
            view.Retranslate();
        }
        for (const UpdateViewState state :
             {UpdateViewState::CheckFailed, UpdateViewState::UpdateAvailable, UpdateViewState::LatestVersion}) {
            view.SetState(state);
            QCoreApplication::processEvents();
            for (const char* name : {"RetryButton", "UpdateButton", "SkipButton", "OKButton"})
                QCOMPARE(Find<QPushButton>(view, name)->size(), size);
        }
    }
}

void TestUpdateViewLook::nothingCut_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<UpdateViewState>("state");
    QTest::addColumn<QString>("newVersion");
    for (const QString& language : QStringList{"en", "de", "fr", "zh", "jp"}) {
        const QByteArray in = " in " + language.toLatin1();
        QTest::newRow("update available" + in) << language << UpdateViewState::UpdateAvailable << "1.1.0.0";
        QTest::newRow("a long version" + in)
            << language << UpdateViewState::UpdateAvailable << "1.2.3.4.5.6.7.8.9.10.11.12.13.14.15";
        QTest::newRow("the longest version" + in)
            << language << UpdateViewState::UpdateAvailable << "9." + QString(62, QLatin1Char('8'));
        QTest::newRow("latest version" + in) << language << UpdateViewState::LatestVersion << "";
        QTest::newRow("check failed" + in) << language << UpdateViewState::CheckFailed << "";
    }
}

void TestUpdateViewLook::nothingCut() {
    QFETCH(QString, language);
    QFETCH(UpdateViewState, state);
    QFETCH(QString, newVersion);
    SwitchLanguage(language);
    MyUpdateView view;
    view.SetNewVersion(newVersion);
    view.SetMessage(resultMessage(state == UpdateViewState::LatestVersion ? UpdateResult::NewestInUse
                                                                          : UpdateResult::TransferFailed));
    view.SetState(state);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.grab();
    int shown = 0;
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        ++shown;
        const QString cut = Cut(*label, view);
        QVERIFY2(cut.isEmpty(),
                 qPrintable(QStringLiteral("%1 \"%2\" %3").arg(label->objectName(), label->text(), cut)));
    }
    QVERIFY(shown >= 1);
}

QTEST_MAIN(TestUpdateViewLook)
#include "tst_updateviewlook.moc"
