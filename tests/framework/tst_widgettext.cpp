#include "framework/WidgetText.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestWidgetText : public QObject {
    Q_OBJECT

private slots:
    void elide_data();
    void elide();
    void nullWidget();
};

namespace {
const QString longText = QStringLiteral("A rather long text that cannot fit into a narrow widget at all");
}

void TestWidgetText::elide_data() {
    QTest::addColumn<bool>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("cut");

    QTest::newRow("label, fits") << false << "Short" << 400 << false;
    QTest::newRow("label, too wide") << false << longText << 80 << true;
    QTest::newRow("button, fits") << true << "OK" << 200 << false;
    QTest::newRow("button, too wide") << true << longText << 80 << true;
}

void TestWidgetText::elide() {
    QFETCH(bool, button);
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, cut);

    QPushButton pushButton(text);
    QLabel label(text);
    QWidget* widget = button ? static_cast<QWidget*>(&pushButton) : &label;
    widget->resize(width, 30);
    const QFontMetrics metrics(widget->font());

    // The free function with an explicit width.
    const QString result = ElideText(widget, text, width);
    QCOMPARE(result != text, cut);
    QVERIFY(metrics.horizontalAdvance(result) <= width || !cut);
    QCOMPARE(widget->toolTip(), cut ? text : QString());
    if (cut)
        QVERIFY(result.endsWith(QChar(0x2026)));

    // The widget's own text and width.
    widget->setToolTip(QString());
    if (button)
        ElideButtonText(&pushButton);
    else
        ElideLabelText(&label);
    const QString shown = button ? pushButton.text() : label.text();
    QCOMPARE(shown, result);
    QCOMPARE(widget->toolTip(), cut ? text : QString());
}

void TestWidgetText::nullWidget() {
    QCOMPARE(ElideText(nullptr, longText, 10), longText);
    ElideButtonText(nullptr);
    ElideLabelText(nullptr);
}

QTEST_MAIN(TestWidgetText)
#include "tst_widgettext.moc"
