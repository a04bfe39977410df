#include "SkinSheet.h"

#include "framework/SkinManager.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "ArtComparison.h"
#include "FrameworkSkin.h"
#include "SkinFixture.h"

namespace {

// A sheet whose every pixel differs from its neighbours, with transparent and opaque parts: a piece read
// from the wrong place, strip or row shows in its pixels. 600 wide, so that its last strip is narrower.
QImage PatternSheet(int seed = 0) {
    QImage sheet(600, 300, QImage::Format_ARGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            const int alpha = x < 300 ? 255 : (x * 7 + y * 3) % 256;
            sheet.setPixel(x, y, qRgba((x + seed) % 256, (y * 5) % 256, (x ^ y) % 256, alpha));
        }
    }
    return sheet;
}

// "" when the piece shows what QPixmap::copy of the whole decoded sheet shows.
QString CompareWithWholeSheet(const QPixmap& piece, const QPixmap& sheet, const QRect& rect) {
    DecodedPicture expected;
    expected.frames.append(sheet.copy(rect).toImage());
    DecodedPicture got;
    got.frames.append(piece.toImage());
    if (got.frames.first().hasAlphaChannel() != expected.frames.first().hasAlphaChannel())
        return QStringLiteral("the piece has another pixel format");
    // Read from the same decoded pixels, a piece is exact: no tolerance.
    return ComparePictures(got, expected, 0);
}

QStringList CacheFiles(const QString& folder) {
    return QDir(folder).entryList({"*.sheet"}, QDir::Files);
}

} // namespace

class TestSkinSheet : public QObject {
    Q_OBJECT

private slots:
    void init();
    void piecesMatchTheWholeSheet_data();
    void piecesMatchTheWholeSheet();
    void shippedSheetFromItsCache();
    void secondLoadReadsTheCache();
    void changedSheetIsNotServedStale();
    void damagedCacheIsRebuilt_data();
    void damagedCacheIsRebuilt();
    void unwritableCacheFolderKeepsTheSheetInMemory();
    void oldCacheFilesAreRemoved();
    void missingSheetIsNull();
    void skinManagerCutsTheSameThroughTheCache();

private:
    QTemporaryDir m_dir;
    QString m_sheetPath;
    QString m_cacheFolder;
};

void TestSkinSheet::init() {
    QVERIFY(m_dir.isValid());
    m_sheetPath = m_dir.filePath("AllImage.png");
    m_cacheFolder = m_dir.filePath("cache");
    QDir(m_cacheFolder).removeRecursively();
    QVERIFY(PatternSheet().save(m_sheetPath));
}

void TestSkinSheet::piecesMatchTheWholeSheet_data() {
    QTest::addColumn<bool>("cached");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QRect>("expected"); // the part of the sheet the piece shows; empty: no piece

    const struct {
        const char* name;
        QRect rect;
        QRect expected;
    } rows[] = {
        {"top left", QRect(0, 0, 40, 30), QRect(0, 0, 40, 30)},
        {"within one strip", QRect(20, 100, 100, 50), QRect(20, 100, 100, 50)},
        {"across a strip's edge", QRect(200, 10, 120, 80), QRect(200, 10, 120, 80)},
        {"across three strips", QRect(250, 0, 300, 300), QRect(250, 0, 300, 300)},
        {"in the narrower last strip", QRect(520, 200, 80, 100), QRect(520, 200, 80, 100)},
        {"one pixel", QRect(511, 299, 1, 1), QRect(511, 299, 1, 1)},
        {"the whole sheet", QRect(0, 0, 600, 300), QRect(0, 0, 600, 300)},
        {"reaching beyond the sheet", QRect(560, 280, 100, 100), QRect(560, 280, 40, 20)},
        {"beside the sheet", QRect(700, 10, 20, 20), QRect()},
        {"below the sheet", QRect(10, 300, 20, 20), QRect()},
        {"empty", QRect(10, 10, 0, 20), QRect()},
    };
    for (bool cached : {true, false}) {
        for (const auto& row : rows) {
            QTest::newRow(qPrintable(QString("%1, %2").arg(cached ? "cached" : "in memory").arg(row.name)))
                << cached << row.rect << row.expected;
        }
    }
}

void TestSkinSheet::piecesMatchTheWholeSheet() {
    QFETCH(bool, cached);
    QFETCH(QRect, rect);
    QFETCH(QRect, expected);

    SkinSheet sheet;
    sheet.Load(m_sheetPath, cached ? m_cacheFolder : QString());
    QCOMPARE(sheet.IsCached(), cached);
    QCOMPARE(sheet.size(), QSize(600, 300));
    const QPixmap piece = sheet.Copy(rect);
    if (expected.isEmpty()) {
        QVERIFY(piece.isNull());
        return;
    }
    QCOMPARE(piece.size(), expected.size());
    const QString difference = CompareWithWholeSheet(piece, QPixmap(m_sheetPath), expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// Every picture of the skin the build draws, read through the cache, is the one the decoded sheet holds.
void TestSkinSheet::shippedSheetFromItsCache() {
    const QString root = qEnvironmentVariable("MENDRA_RUNTIME_DIR") + "/Skin";
    const QString path = root + "/Style1/AllImage.png";
    SkinSheet sheet;
    sheet.Load(path, m_cacheFolder);
    QVERIFY(sheet.IsCached());
    const QPixmap whole(path);
    QCOMPARE(sheet.size(), whole.size());

    QDomDocument description;
    QFile file(root + "/AllImage.xml");
    QVERIFY(file.open(QIODevice::ReadOnly) && description.setContent(&file));
    const QDomNodeList states = description.elementsByTagName("Normal");
    QVERIFY(states.size() > 20);
    for (int i = 0; i < states.size(); ++i) {
        const QDomElement state = states.at(i).toElement();
        const QRect rect(state.attribute("x").toInt(), state.attribute("y").toInt(), state.attribute("width").toInt(),
                         state.attribute("height").toInt());
        const QString difference = CompareWithWholeSheet(sheet.Copy(rect), whole, rect);
        QVERIFY2(difference.isEmpty(), qPrintable(state.parentNode().nodeName() + ": " + difference));
    }
}

void TestSkinSheet::secondLoadReadsTheCache() {
    SkinSheet first;
    first.Load(m_sheetPath, m_cacheFolder);
    QCOMPARE(CacheFiles(m_cacheFolder).size(), 1);
    const QString cacheFile = QDir(m_cacheFolder).filePath(CacheFiles(m_cacheFolder).first());
    const QDateTime written = QFileInfo(cacheFile).lastModified();

    SkinSheet second;
    second.Load(m_sheetPath, m_cacheFolder);
    QVERIFY(second.IsCached());
    QCOMPARE(CacheFiles(m_cacheFolder).size(), 1);
    QCOMPARE(QFileInfo(cacheFile).lastModified(), written); // read, not written again
    QVERIFY(CompareWithWholeSheet(second.Copy(QRect(100, 50, 300, 200)), QPixmap(m_sheetPath), QRect(100, 50, 300, 200))
                .isEmpty());
}

// A skin replaced by another of the same size shows the new pictures at once.
void TestSkinSheet::changedSheetIsNotServedStale() {
    SkinSheet sheet;
    sheet.Load(m_sheetPath, m_cacheFolder);
    QVERIFY(PatternSheet(17).save(m_sheetPath));
    sheet.Load(m_sheetPath, m_cacheFolder);
    QVERIFY(sheet.IsCached());
    QCOMPARE(CacheFiles(m_cacheFolder).size(), 2);
    const QRect rect(0, 0, 600, 300);
    const QString difference = CompareWithWholeSheet(sheet.Copy(rect), QPixmap(m_sheetPath), rect);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestSkinSheet::damagedCacheIsRebuilt_data() {
    QTest::addColumn<int>("keptBytes"); // of the cache file; -1: its header overwritten
    QTest::newRow("cut short") << 64 + 1000;
    QTest::newRow("header only") << 64;
    QTest::newRow("empty") << 0;
    QTest::newRow("header overwritten") << -1;
}

void TestSkinSheet::damagedCacheIsRebuilt() {
    QFETCH(int, keptBytes);
    {
        SkinSheet sheet;
        sheet.Load(m_sheetPath, m_cacheFolder);
    }
    const QString cacheFile = QDir(m_cacheFolder).filePath(CacheFiles(m_cacheFolder).first());
    QFile file(cacheFile);
    QVERIFY(file.open(QIODevice::ReadWrite));
    if (keptBytes < 0)
        file.write(QByteArray(64, 'x'));
    else
        QVERIFY(file.resize(keptBytes));
    file.close();

    SkinSheet sheet;
    sheet.Load(m_sheetPath, m_cacheFolder);
    QVERIFY(sheet.IsCached());
    QCOMPARE(QFileInfo(cacheFile).size(), 64 + 600 * 300 * 4);
    const QRect rect(300, 100, 300, 200);
    const QString difference = CompareWithWholeSheet(sheet.Copy(rect), QPixmap(m_sheetPath), rect);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestSkinSheet::unwritableCacheFolderKeepsTheSheetInMemory() {
    // A file where the folder should be: nothing can be written there, whoever runs the test.
    const QString blocked = m_dir.filePath("blocked");
    SkinFixture::WriteFile(blocked, "not a folder");
    SkinSheet sheet;
    sheet.Load(m_sheetPath, blocked + "/skin");
    QVERIFY(!sheet.IsCached());
    const QRect rect(250, 0, 300, 300);
    const QString difference = CompareWithWholeSheet(sheet.Copy(rect), QPixmap(m_sheetPath), rect);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestSkinSheet::oldCacheFilesAreRemoved() {
    SkinSheet sheet;
    for (int seed = 0; seed < SkinSheet::kKeptCacheFiles + 2; ++seed) {
        QVERIFY(PatternSheet(seed).save(m_sheetPath));
        sheet.Load(m_sheetPath, m_cacheFolder);
        QVERIFY(sheet.IsCached());
    }
    QCOMPARE(CacheFiles(m_cacheFolder).size(), SkinSheet::kKeptCacheFiles);
    // The sheet in use keeps its file.
    const QRect rect(0, 0, 600, 300);
    QVERIFY(CompareWithWholeSheet(sheet.Copy(rect), QPixmap(m_sheetPath), rect).isEmpty());
}

void TestSkinSheet::missingSheetIsNull() {
    for (const QString& cache : {m_cacheFolder, QString()}) {
        SkinSheet sheet;
        sheet.Load(m_dir.filePath("nothing.png"), cache);
        QVERIFY(sheet.isNull());
        QVERIFY(sheet.Copy(QRect(0, 0, 10, 10)).isNull());
    }
    QVERIFY(CacheFiles(m_cacheFolder).isEmpty());
}

void TestSkinSheet::skinManagerCutsTheSameThroughTheCache() {
    const QString root = m_dir.filePath("skin");
    SkinFixture::WriteSkin(root, {"Style1"});
    const auto pictures = [&root](const QString& cacheFolder) {
        SkinManager::Release();
        SkinManager* skin = SkinManager::Instance();
        skin->SetSheetCacheFolder(cacheFolder);
        skin->Init(0, {"Style1"}, SkinLogoKey{}, root);
        SetSkinScaleForScreenWidth(3840);
        skin->ChangePart("Common");
        QMap<int, QPixmap> states;
        skin->GetStatePixmaps(&states, "btn", true);
        QList<QImage> images{skin->GetPagePixmap("two").toImage()};
        for (const QPixmap& state : qAsConst(states))
            images.append(state.toImage());
        return images;
    };
    const QList<QImage> direct = pictures(QString());
    const QList<QImage> cached = pictures(m_cacheFolder);
    QVERIFY(SkinManager::Instance()->GetSpriteSheet().IsCached());
    QCOMPARE(cached.size(), 6);
    QCOMPARE(cached, direct);
    SkinManager::Release();
}

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    TestSkinSheet test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_skinsheet.moc"
