#include "CComBobox.h"
#include "ChaterSlider.h"
#include "ComboBoxEx.h"
#include "MyButton.h"
#include "MyToolButton.h"
#include "SkinFixture.h"
#include "SkinManager.h"

#include <QAbstractItemView>
#include <QFontInfo>
#include <QtTest>

class TestSkinWidgets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void paintsStatePicture_data();
    void paintsStatePicture();
    void toolButtonPaintsStatePicture_data();
    void toolButtonPaintsStatePicture();
    void changeIconReplacesStates();
    void changeIconUsesObjectName();
    void paintsWithoutPictures();
    void elidesBesideTextButtons_data();
    void elidesBesideTextButtons();
    void buttonTypeZeroAlignsLeft();
    void comboTooltipsOnlyWhenElided();
    void comboListFitsPixelSizedFont();
    void sliderPlacesMarks();
    void sliderWithoutRange();

private:
    QTemporaryDir m_dir;
};

namespace {

enum Look { Normal, Hover, Pressed, Checked, Disabled, DisabledPressed };

template <typename Button> void Apply(Button* button, int look) {
    if (look == Hover) {
        // As the pointer arriving does it: under the mouse, then hover events.
        button->setAttribute(Qt::WA_UnderMouse, true);
        const QPointF centre(button->width() / 2.0, button->height() / 2.0);
        QHoverEvent enter(QEvent::HoverEnter, centre, QPointF(-1, -1));
        QApplication::sendEvent(button, &enter);
        QHoverEvent move(QEvent::HoverMove, centre, centre);
        QApplication::sendEvent(button, &move);
        QMouseEvent track(QEvent::MouseMove, centre, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &track);
    }
    if (look == Pressed || look == DisabledPressed)
        button->setDown(true);
    if (look == Checked) {
        button->setCheckable(true);
        button->setChecked(true);
    }
    button->setEnabled(look != Disabled && look != DisabledPressed);
}

void AddLookRows() {
    QTest::addColumn<int>("look");
    QTest::addColumn<QString>("state");
    QTest::newRow("normal") << int(Normal) << "Normal";
    QTest::newRow("hover shows On, not Hover") << int(Hover) << "On";
    QTest::newRow("pressed") << int(Pressed) << "Down";
    QTest::newRow("checked") << int(Checked) << "Down";
    QTest::newRow("disabled") << int(Disabled) << "Disable";
    QTest::newRow("disabled and pressed") << int(DisabledPressed) << "Disable";
}

} // namespace

void TestSkinWidgets::initTestCase() {
    QVERIFY(m_dir.isValid());
    SkinFixture::WriteSkin(m_dir.filePath("Skin"), {"Style1"});
    SkinManager* skin = SkinManager::Instance();
    skin->InitScaleFor(ScreenMetrics{1920, 1080, 96.0}, nullptr, nullptr);
    skin->Init(0, {"Style1"}, SkinLogoKey{}, m_dir.filePath("Skin"));
    skin->ChangePart("Common");
}

void TestSkinWidgets::cleanupTestCase() {
    SkinManager::Release();
}

void TestSkinWidgets::paintsStatePicture_data() {
    AddLookRows();
}

void TestSkinWidgets::paintsStatePicture() {
    QFETCH(int, look);
    QFETCH(QString, state);
    MyButton button;
    button.resize(40, 30);
    button.changeIcon("btn");
    Apply(&button, look);
    const QImage image = button.grab().toImage();
    QCOMPARE(image.pixelColor(20, 15), SkinFixture::ColourOf("btn", state.toLatin1().constData()));
}

void TestSkinWidgets::toolButtonPaintsStatePicture_data() {
    AddLookRows();
}

void TestSkinWidgets::toolButtonPaintsStatePicture() {
    QFETCH(int, look);
    QFETCH(QString, state);
    MyToolButton button;
    button.setToolButtonStyle(Qt::ToolButtonIconOnly);
    button.setAutoRaise(true);
    button.resize(40, 30);
    button.changeIcon("btn");
    Apply(&button, look);
    const QImage image = button.grab().toImage();
    QCOMPARE(image.pixelColor(20, 15), SkinFixture::ColourOf("btn", state.toLatin1().constData()));
}

void TestSkinWidgets::changeIconReplacesStates() {
    MyButton button;
    button.changeIcon("btn");
    QCOMPARE(button.statePixmaps().size(), 5);
    // "two" has only a normal picture; the old image's pressed picture must not linger.
    button.changeIcon("two");
    QCOMPARE(button.statePixmaps().keys(), QList<int>{SKIN_NORMAL});
    button.resize(40, 30);
    button.setDown(true);
    const QImage image = button.grab().toImage();
    QVERIFY(image.pixelColor(20, 15) != SkinFixture::ColourOf("btn", "Down"));

    MyToolButton tool;
    tool.changeIcon("btn");
    tool.changeIcon("two");
    QCOMPARE(tool.statePixmaps().keys(), QList<int>{SKIN_NORMAL});
}

void TestSkinWidgets::changeIconUsesObjectName() {
    MyButton button;
    button.setObjectName("two");
    button.changeIcon();
    QCOMPARE(button.statePixmaps().size(), 1);
    QCOMPARE(SkinFixture::CentreColour(button.statePixmaps().value(SKIN_NORMAL)),
             SkinFixture::ColourOf("two", "Normal"));

    MyButton unknown;
    unknown.setObjectName("notInThisPage");
    unknown.changeIcon();
    QVERIFY(unknown.statePixmaps().isEmpty());
}

void TestSkinWidgets::paintsWithoutPictures() {
    MyButton button;
    button.setText("Plain");
    button.resize(80, 30);
    QVERIFY(!button.grab().isNull());
}

void TestSkinWidgets::elidesBesideTextButtons_data() {
    QTest::addColumn<bool>("centred");
    QTest::addColumn<int>("textWidth");
    QTest::newRow("centred") << true << 65; // 100 - 15 - 20
    QTest::newRow("left") << false << 50;   // 100 - 15 - 15 - 20
}

void TestSkinWidgets::elidesBesideTextButtons() {
    QFETCH(bool, centred);
    QFETCH(int, textWidth);
    MyButton button;
    button.setButtonType(BUTTON_ICON_TEXT);
    button.setTextAlignment(centred ? (Qt::AlignHCenter | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
    button.setIconMargin(15);
    button.setTextMargin(15);
    button.changeIcon("btn"); // 20 x 15 pictures
    button.resize(100, 30);
    const QPixmap picture = button.statePixmaps().value(SKIN_NORMAL);
    QCOMPARE(picture.width(), 20);
    QCOMPARE(button.textRect(picture).width(), textWidth);
    QCOMPARE(button.pictureRect(picture), QRect(0, 0, 50, 30));

    const QString longText(40, QLatin1Char('W'));
    button.setText(longText);
    button.grab();
    QCOMPARE(button.toolTip(), longText);
    button.setText("W");
    button.grab();
    QVERIFY(button.toolTip().isEmpty());
}

void TestSkinWidgets::buttonTypeZeroAlignsLeft() {
    MyButton button;
    QCOMPARE(button.textAlignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(button.iconMargin(), 15);
    button.setTextAlignment(Qt::AlignRight);
    button.setButtonType(BUTTON_ICON_TEXT);
    QCOMPARE(button.textAlignment(), Qt::AlignLeft | Qt::AlignVCenter);
    button.resize(100, 30);
    QCOMPARE(button.pictureRect(QPixmap()), QRect(0, 0, 30, 30));

    MyButton behind;
    behind.resize(100, 30);
    behind.setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(behind.pictureRect(QPixmap(20, 15)), QRect(0, 0, 100, 30));
    QCOMPARE(behind.textRect(QPixmap(20, 15)), QRect(15, 0, 85, 30));
}

void TestSkinWidgets::comboTooltipsOnlyWhenElided() {
    CComBobox combo;
    combo.setFixedWidth(120);
    const QFontMetrics metrics(combo.font());
    QString wide = "W";
    while (metrics.horizontalAdvance(wide) <= 150)
        wide += "W";
    combo.addItem("a");
    combo.addItems({wide, "b"});
    combo.insertItem(0, wide + "x");
    QVERIFY(!combo.itemData(1, Qt::ToolTipRole).isValid());
    QCOMPARE(combo.itemData(2, Qt::ToolTipRole).toString(), wide);
    QVERIFY(!combo.itemData(3, Qt::ToolTipRole).isValid());
    QCOMPARE(combo.itemData(0, Qt::ToolTipRole).toString(), wide + "x");

    combo.setTooltipOnlyWhenElided(false);
    combo.addItem("c");
    QCOMPARE(combo.itemData(4, Qt::ToolTipRole).toString(), QString("c"));
    combo.setItemData(4, 42, Qt::UserRole);
    QCOMPARE(combo.itemData(4, Qt::UserRole).toInt(), 42);
}

void TestSkinWidgets::comboListFitsPixelSizedFont() {
    ComboBoxEx combo;
    QCOMPARE(combo.fitListWidth(), 0);
    QFont font = combo.font();
    font.setPixelSize(20); // no point size of its own
    combo.setFont(font);
    combo.addItems({"short", "a longer entry"});
    const int width = combo.fitListWidth();
    QVERIFY(width > 0);
    QCOMPARE(width, int(14 * QFontInfo(font).pointSizeF() * 0.75));
    QCOMPARE(combo.view()->width(), width);
}

void TestSkinWidgets::sliderPlacesMarks() {
    ChaterSlider slider(Qt::Horizontal);
    slider.setRange(0, 100);
    slider.resize(400, 20);
    slider.addMark(50);
    slider.addMark(50);
    slider.addMark(100);
    QCOMPARE(slider.marks().first().rect, QRect(196, 0, 8, 18));
    slider.resize(800, 20);
    QApplication::sendPostedEvents();
    slider.show();
    QTRY_COMPARE(slider.marks().first().rect.x(), 396);
    QCOMPARE(slider.marks().last().rect.x(), 796);
    slider.removeMark(50);
    QCOMPARE(slider.marks().size(), 1);
    slider.clearMarks();
    QVERIFY(slider.marks().isEmpty());
}

void TestSkinWidgets::sliderWithoutRange() {
    ChaterSlider slider(Qt::Horizontal);
    slider.setRange(0, 0);
    slider.resize(400, 20);
    slider.addMark(5);
    QCOMPARE(slider.marks().first().rect, QRect(-4, 0, 8, 18));
    QPixmap mark(8, 18);
    mark.fill(Qt::red);
    slider.setMarkPixmap(mark);
    QVERIFY(!slider.grab().isNull());
}

QTEST_MAIN(TestSkinWidgets)
#include "tst_skinwidgets.moc"
