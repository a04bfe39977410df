#include "FileUtils.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kUnprivileged = 65534; // "nobody"

void writeFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void makeLink(const QString& target, const QString& link) {
    QVERIFY2(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0,
             qPrintable(link));
}

void setMode(const QString& path, mode_t mode) {
    QVERIFY2(::chmod(QFile::encodeName(path).constData(), mode) == 0, qPrintable(path));
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

bool somethingAt(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// Every entry below root (links not followed) with its mode, size and link target.
QStringList snapshot(const QString& root) {
    QStringList lines{QStringLiteral(". %1").arg(modeOf(root), 0, 8)};
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(path.mid(root.size()))
                     .arg(modeOf(path), 0, 8)
                     .arg(info.isSymLink() ? 0 : info.size())
                     .arg(info.isSymLink() ? info.symLinkTarget() : QString());
    }
    lines.sort();
    return lines;
}

void forEachEntry(const QString& root, const std::function<void(const QByteArray&)>& fn) {
    fn(QFile::encodeName(root));
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        fn(QFile::encodeName(it.next()));
}

// Root ignores permission bits, so a test about read-only folders proves nothing when run as root.
// Then the work runs in a child process that has given up root and owns the test's folder tree, so
// the bits apply to it exactly as to an ordinary user. Returns false when the work could not run.
bool runAsUser(const QString& tree, const std::function<bool()>& work, bool& result) {
    if (::geteuid() != 0) {
        result = work();
        return true;
    }
    forEachEntry(tree, [](const QByteArray& path) { (void)::lchown(path.constData(), kUnprivileged, kUnprivileged); });
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivileged) != 0 || ::setuid(kUnprivileged) != 0)
            ::_exit(77);
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 77)
        return false;
    result = WEXITSTATUS(status) == 0;
    return true;
}

#define RUN_AS_USER(tree, work, result)                                                                                \
    do {                                                                                                               \
        if (!runAsUser(tree, work, result))                                                                            \
            QSKIP("Running as root and cannot switch to an unprivileged user, so permission bits would not apply");    \
    } while (false)

enum Feature {
    PlainTree,
    HiddenEntries,
    ReadOnlyFile,
    ReadOnlyFolder,
    FolderWithoutRights,
    LinkToOutsideFolder,
    LinkToOutsideFile,
    DanglingLink,
    LinkLoop,
    ReadOnlyParent,
};

} // namespace

Q_DECLARE_METATYPE(Feature)

class TestFileUtils : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void removeDirectory_data();
    void removeDirectory();
    void removeDirectoryArguments_data();
    void removeDirectoryArguments();
    void removePath();
    void clearDirectory_data();
    void clearDirectory();

    void copyDirectory();
    void copyDirectoryExisting_data();
    void copyDirectoryExisting();
    void copyDirectoryFailures_data();
    void copyDirectoryFailures();
    void copyFile();

    void makePath_data();
    void makePath();
    void createEmptyFile();
    void isPathWritable_data();
    void isPathWritable();
    void folderSizes();
    void isSameDrive();

    void fileNames_data();
    void fileNames();
    void findDiscVideoFolder_data();
    void findDiscVideoFolder();
    void trailingSeparator_data();
    void trailingSeparator();

private:
    QString path(const QString& relative) const { return m_dir->path() + QLatin1Char('/') + relative; }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCurrent;
};

void TestFileUtils::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_oldCurrent = QDir::currentPath();
}

void TestFileUtils::cleanup() {
    QDir::setCurrent(m_oldCurrent);
    // Read-only folders left by a test would stop the temporary folder's own clean-up.
    forEachEntry(m_dir->path(), [](const QByteArray& p) {
        struct stat st {};
        if (::lstat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            ::chmod(p.constData(), st.st_mode | S_IRWXU);
    });
    m_dir.reset();
}

void TestFileUtils::removeDirectory_data() {
    QTest::addColumn<Feature>("feature");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<bool>("treeLeft");

    QTest::newRow("plain tree") << PlainTree << true << false;
    QTest::newRow("hidden entries") << HiddenEntries << true << false;
    QTest::newRow("read-only file") << ReadOnlyFile << true << false;
    QTest::newRow("read-only folder") << ReadOnlyFolder << true << false;
    QTest::newRow("folder without any rights") << FolderWithoutRights << true << false;
    QTest::newRow("link to an outside read-only folder") << LinkToOutsideFolder << true << false;
    QTest::newRow("link to an outside read-only file") << LinkToOutsideFile << true << false;
    QTest::newRow("dangling link") << DanglingLink << true << false;
    QTest::newRow("link to its own parent") << LinkLoop << true << false;
    QTest::newRow("read-only parent keeps the emptied folder") << ReadOnlyParent << false << true;
}

void TestFileUtils::removeDirectory() {
    QFETCH(Feature, feature);
    QFETCH(bool, expected);
    QFETCH(bool, treeLeft);

    const QString outside = path("outside");
    const QString parent = path("parent");
    const QString tree = path("parent/tree");
    writeFile(outside + "/keep.txt", "outside data");
    writeFile(outside + "/deep/more.txt", "more");
    writeFile(tree + "/a.txt", "a");
    writeFile(tree + "/sub/b.txt", "bb");

    switch (feature) {
    case PlainTree:
        break;
    case HiddenEntries:
        writeFile(tree + "/.hidden", "h");
        writeFile(tree + "/.hdir/c.txt", "c");
        break;
    case ReadOnlyFile:
        writeFile(tree + "/sub/ro.txt", "ro");
        setMode(tree + "/sub/ro.txt", 0444);
        break;
    case ReadOnlyFolder:
        writeFile(tree + "/ro/f.txt", "f");
        writeFile(tree + "/ro/inner/g.txt", "g");
        setMode(tree + "/ro/inner", 0555);
        setMode(tree + "/ro", 0555);
        break;
    case FolderWithoutRights:
        writeFile(tree + "/locked/h.txt", "h");
        setMode(tree + "/locked", 0);
        break;
    case LinkToOutsideFolder:
        makeLink(outside, tree + "/out");
        makeLink(outside + "/deep", tree + "/sub/deep");
        break;
    case LinkToOutsideFile:
        makeLink(outside + "/keep.txt", tree + "/keep");
        break;
    case DanglingLink:
        makeLink(path("nowhere"), tree + "/gone");
        break;
    case LinkLoop:
        makeLink("..", tree + "/sub/up");
        break;
    case ReadOnlyParent:
        break;
    }
    setMode(outside + "/keep.txt", 0444);
    setMode(outside + "/deep", 0555);
    setMode(outside, 0555);
    if (feature == ReadOnlyParent)
        setMode(parent, 0555);
    const QStringList outsideBefore = snapshot(outside);
    const mode_t parentMode = modeOf(parent);

    bool result = false;
    RUN_AS_USER(
        m_dir->path(), [&] { return RemoveDirectory(tree); }, result);

    QCOMPARE(result, expected);
    QCOMPARE(somethingAt(tree), treeLeft);
    if (treeLeft) // everything that could go is gone
        QCOMPARE(QDir(tree).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList());
    // Nothing outside the tree changed: not its contents, not its permissions.
    QCOMPARE(snapshot(outside), outsideBefore);
    QCOMPARE(modeOf(parent), parentMode);
}

void TestFileUtils::removeDirectoryArguments_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QString>("mustStay");
    QTest::addColumn<QString>("mustGo");

    QTest::newRow("empty path") << "" << false << "x"
                                << "";
    QTest::newRow("one character") << "x" << false << "x/inside.txt"
                                   << "";
    QTest::newRow("missing folder") << "@/missing" << true << ""
                                    << "";
    QTest::newRow("a file, not a folder") << "@/file.txt" << false << "file.txt"
                                          << "";
    QTest::newRow("trailing separators") << "@/dir//" << true << ""
                                         << "dir";
    QTest::newRow("doubled separators") << "@//dir/../dir" << true << ""
                                        << "dir";
    QTest::newRow("link to a folder: only the link goes") << "@/link" << true << "target/t.txt"
                                                          << "link";
}

void TestFileUtils::removeDirectoryArguments() {
    QFETCH(QString, argument);
    QFETCH(bool, expected);
    QFETCH(QString, mustStay);
    QFETCH(QString, mustGo);

    writeFile(path("x/inside.txt"), "x");
    writeFile(path("file.txt"), "f");
    writeFile(path("dir/a/b.txt"), "b");
    writeFile(path("target/t.txt"), "t");
    makeLink(path("target"), path("link"));
    QVERIFY(QDir::setCurrent(m_dir->path())); // "x" is relative to the current folder

    argument.replace(QLatin1Char('@'), m_dir->path());
    QCOMPARE(RemoveDirectory(argument), expected);
    if (!mustStay.isEmpty())
        QVERIFY2(somethingAt(path(mustStay)), qPrintable(mustStay));
    if (!mustGo.isEmpty())
        QVERIFY2(!somethingAt(path(mustGo)), qPrintable(mustGo));
}

void TestFileUtils::removePath() {
    writeFile(path("file.txt"), "f");
    writeFile(path("dir/a.txt"), "a");

    QVERIFY(!RemovePath(path("missing")));
    QVERIFY(RemovePath(path("file.txt")));
    QVERIFY(!somethingAt(path("file.txt")));
    QVERIFY(RemovePath(path("dir")));
    QVERIFY(!somethingAt(path("dir")));
}

void TestFileUtils::clearDirectory_data() {
    QTest::addColumn<bool>("removeSelf");
    QTest::newRow("keep the folder") << false;
    QTest::newRow("remove the folder") << true;
}

void TestFileUtils::clearDirectory() {
    QFETCH(bool, removeSelf);

    writeFile(path("outside/keep.txt"), "keep");
    writeFile(path("dir/a.txt"), "a");
    writeFile(path("dir/.hidden/b.txt"), "b");
    makeLink(path("outside"), path("dir/out"));
    const QStringList outsideBefore = snapshot(path("outside"));

    ClearDirectory(path("dir"), removeSelf);

    QCOMPARE(somethingAt(path("dir")), !removeSelf);
    if (!removeSelf)
        QVERIFY(QDir(path("dir")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    QCOMPARE(snapshot(path("outside")), outsideBefore);
}

void TestFileUtils::copyDirectory() {
    writeFile(path("src/a.txt"), "alpha");
    writeFile(path("src/sub/b.txt"), "beta");
    writeFile(path("src/sub/deeper/c.txt"), "gamma");
    writeFile(path("src/.config/settings.ini"), "dot");
    makeLink("..", path("src/sub/up")); // would never end if followed
    makeLink(path("src/a.txt"), path("src/alias"));

    // Copied as an ordinary user, like the failure cases: a root process's first copy settles how Qt makes
    // new files for the whole process, and a forked user process cannot use root's way on every kernel.
    bool copied = false;
    RUN_AS_USER(
        m_dir->path(), [&] { return CopyDirectory(path("src"), path("dst"), false); }, copied);
    QVERIFY(copied);

    QCOMPARE(readFile(path("dst/a.txt")), QByteArray("alpha"));
    QCOMPARE(readFile(path("dst/sub/b.txt")), QByteArray("beta"));
    QCOMPARE(readFile(path("dst/sub/deeper/c.txt")), QByteArray("gamma"));
    QCOMPARE(readFile(path("dst/.config/settings.ini")), QByteArray("dot"));
    QVERIFY(QFileInfo(path("dst/sub/up")).isSymLink());
    QVERIFY(QFileInfo(path("dst/alias")).isSymLink());
    QCOMPARE(readFile(path("dst/alias")), QByteArray("alpha"));
}

void TestFileUtils::copyDirectoryExisting_data() {
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("existing file kept") << false << QByteArray("old");
    QTest::newRow("existing file replaced") << true << QByteArray("new");
}

void TestFileUtils::copyDirectoryExisting() {
    QFETCH(bool, replace);
    QFETCH(QByteArray, expected);

    writeFile(path("src/sub/f.txt"), "new");
    writeFile(path("src/g.txt"), "g");
    writeFile(path("dst/sub/f.txt"), "old");

    bool copied = false;
    RUN_AS_USER(
        m_dir->path(), [&] { return CopyDirectory(path("src"), path("dst"), replace); }, copied);
    QVERIFY(copied);
    QCOMPARE(readFile(path("dst/sub/f.txt")), expected);
    QCOMPARE(readFile(path("dst/g.txt")), QByteArray("g"));
}

void TestFileUtils::copyDirectoryFailures_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("copiedAnyway"); // a file that must still arrive, or ""
    QTest::addColumn<QString>("notCreated");   // a path that must not appear, or ""

    QTest::newRow("missing source") << "missing"
                                    << "dst"
                                    << ""
                                    << "dst";
    QTest::newRow("target is the source") << "src"
                                          << "src"
                                          << ""
                                          << "";
    QTest::newRow("target inside the source") << "src"
                                              << "src/sub/copy"
                                              << ""
                                              << "src/sub/copy";
    QTest::newRow("target inside the source through a link") << "src"
                                                             << "srclink/copy"
                                                             << ""
                                                             << "src/copy";
    QTest::newRow("missing target parent") << "src"
                                           << "nope/dst"
                                           << ""
                                           << "nope";
    QTest::newRow("file blocked by a folder") << "src"
                                              << "blocked"
                                              << "blocked/sub/b.txt"
                                              << "";
    QTest::newRow("unreadable file") << "src"
                                     << "dst"
                                     << "dst/sub/b.txt"
                                     << "";
}

void TestFileUtils::copyDirectoryFailures() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, copiedAnyway);
    QFETCH(QString, notCreated);

    writeFile(path("src/a.txt"), "a");
    writeFile(path("src/sub/b.txt"), "b");
    makeLink(path("src"), path("srclink"));
    writeFile(path("blocked/a.txt/in-the-way"), "x"); // a folder where a.txt belongs
    if (QByteArray(QTest::currentDataTag()) == "unreadable file") {
        writeFile(path("src/secret.txt"), "s");
        setMode(path("src/secret.txt"), 0);
    }

    bool result = true;
    RUN_AS_USER(
        m_dir->path(), [&] { return CopyDirectory(path(source), path(target), true); }, result);

    QVERIFY(!result);
    if (!copiedAnyway.isEmpty())
        QVERIFY2(somethingAt(path(copiedAnyway)), qPrintable(copiedAnyway));
    if (!notCreated.isEmpty())
        QVERIFY2(!somethingAt(path(notCreated)), qPrintable(notCreated));
    QCOMPARE(readFile(path("src/a.txt")), QByteArray("a"));
}

void TestFileUtils::copyFile() {
    writeFile(path("a.txt"), "new");
    writeFile(path("b.txt"), "old");

    QVERIFY(CopyFile(path("a.txt"), path("c.txt")));
    QCOMPARE(readFile(path("c.txt")), QByteArray("new"));
    QVERIFY(!CopyFile(path("a.txt"), path("b.txt"))); // never replaces
    QCOMPARE(readFile(path("b.txt")), QByteArray("old"));
    QVERIFY(!CopyFile(path("missing.txt"), path("d.txt")));
}

void TestFileUtils::makePath_data() {
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("expected");

    QTest::newRow("existing folder") << "existing" << true;
    QTest::newRow("three levels below") << "existing/one/two/three" << true;
    QTest::newRow("trailing separator") << "fresh/" << true;
    QTest::newRow("below a file") << "file.txt/sub" << false;
    QTest::newRow("where a file is") << "file.txt" << false;
}

void TestFileUtils::makePath() {
    QFETCH(QString, relative);
    QFETCH(bool, expected);

    QVERIFY(QDir().mkpath(path("existing")));
    writeFile(path("file.txt"), "f");

    QCOMPARE(MakePath(path(relative)), expected);
    QCOMPARE(QFileInfo(path(relative)).isDir(), expected);
    QCOMPARE(readFile(path("file.txt")), QByteArray("f"));
}

void TestFileUtils::createEmptyFile() {
    QVERIFY(CreateEmptyFile(path("new/folders/empty.txt")));
    QCOMPARE(QFileInfo(path("new/folders/empty.txt")).size(), qint64(0));

    writeFile(path("full.txt"), "content");
    QVERIFY(CreateEmptyFile(path("full.txt")));
    QCOMPARE(readFile(path("full.txt")), QByteArray("content"));

    QVERIFY(!CreateEmptyFile(path("new")));
}

void TestFileUtils::isPathWritable_data() {
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("expected");

    QTest::newRow("folder") << "rw" << true;
    QTest::newRow("file") << "rw/data.txt" << true;
    QTest::newRow("missing") << "rw/missing" << false;
    QTest::newRow("read-only folder") << "ro" << false;
    QTest::newRow("read-only file") << "rw/ro.txt" << false;
}

void TestFileUtils::isPathWritable() {
    QFETCH(QString, relative);
    QFETCH(bool, expected);

    writeFile(path("rw/data.txt"), "keep me");
    writeFile(path("rw/ro.txt"), "ro");
    setMode(path("rw/ro.txt"), 0444);
    QVERIFY(QDir().mkpath(path("ro")));
    setMode(path("ro"), 0555);
    const QStringList before = snapshot(m_dir->path());

    bool result = !expected;
    RUN_AS_USER(
        m_dir->path(), [&] { return IsPathWritable(path(relative)); }, result);

    QCOMPARE(result, expected);
    // No probe file left behind, no file touched.
    QCOMPARE(snapshot(m_dir->path()), before);
    QCOMPARE(readFile(path("rw/data.txt")), QByteArray("keep me"));
}

void TestFileUtils::folderSizes() {
    writeFile(path("f/a.bin"), QByteArray(10, 'a'));
    writeFile(path("f/sub/b.bin"), QByteArray(20, 'b'));
    writeFile(path("f/.hidden"), QByteArray(5, 'h'));
    makeLink("..", path("f/sub/up"));
    makeLink(path("f/a.bin"), path("f/alias"));

    // Hidden entries are not counted, a linked folder is not walked (it would never end), a linked
    // file counts what it points at.
    QCOMPARE(FolderSize(path("f")), qint64(10 + 20 + 10));
    QCOMPARE(FolderSize(path("missing")), qint64(0));

    qint64 total = 7;
    QVERIFY(AccumulateFolderSize(path("f"), total));
    QCOMPARE(total, qint64(7 + 10 + 20 + 394 + 394));
    QVERIFY(!AccumulateFolderSize(path("missing"), total));
}

void TestFileUtils::isSameDrive() {
    QVERIFY(IsSameDriveLetter(m_dir->path(), path("not/yet/there")));
    QVERIFY(!IsSameDriveLetter(QString(), m_dir->path()));
    QVERIFY(!IsSameDriveLetter(m_dir->path(), QString()));
    if (QStorageInfo("/proc").rootPath() == QLatin1String("/proc"))
        QVERIFY(!IsSameDriveLetter(m_dir->path(), "/proc/self"));
}

void TestFileUtils::fileNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("invalid");
    QTest::addColumn<QString>("cleaned");

    QTest::newRow("plain") << "report 2024.txt" << false << "report 2024.txt";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("blanks only") << "   " << false << "";
    QTest::newRow("device name") << "COM1" << true << "";
    QTest::newRow("device name, lower case") << "com1" << true << "";
    QTest::newRow("device name with blanks") << " nul " << false << "";
    QTest::newRow("device name after cleaning") << "C:ON" << true << "";
    QTest::newRow("not a device name") << "COM10" << false << "COM10";
    QTest::newRow("blanks and forbidden signs") << "  ab<c>d?e  " << true << "abcde";
    QTest::newRow("ampersand kept when cleaning") << "Tom & Jerry" << true << "Tom & Jerry";
    QTest::newRow("every other forbidden sign") << "a\"b*c/d:e\\f|g" << true << "abcdefg";
    QTest::newRow("non-ASCII") << QString::fromUtf8("\xc3\xa9t\xc3\xa9") << false
                               << QString::fromUtf8("\xc3\xa9t\xc3\xa9");
}

void TestFileUtils::fileNames() {
    QFETCH(QString, name);
    QFETCH(bool, invalid);
    QFETCH(QString, cleaned);

    QCOMPARE(HasInvalidFileNameChar(name), invalid);
    QCOMPARE(CleanFileName(name), cleaned);
}

void TestFileUtils::findDiscVideoFolder_data() {
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("bluRay");
    QTest::addColumn<QString>("expected"); // "" when nothing is found

    QTest::newRow("DVD disc") << "dvd" << false << "dvd/VIDEO_TS";
    QTest::newRow("DVD folder itself") << "dvd/VIDEO_TS" << false << "dvd/VIDEO_TS";
    QTest::newRow("DVD folder, trailing separator") << "dvd/VIDEO_TS/" << false << "dvd/VIDEO_TS";
    QTest::newRow("VIDEO_TS preferred") << "both" << false << "both/VIDEO_TS";
    QTest::newRow("DVD recording") << "rec" << false << "rec/DVD_RTAV";
    QTest::newRow("Blu-ray disc") << "bd" << true << "bd/BDMV";
    QTest::newRow("Blu-ray recording") << "bdrec" << true << "bdrec/BDAV";
    QTest::newRow("name only ends like the video folder") << "mybdav" << true << "mybdav/BDAV";
    QTest::newRow("lower-case video folder itself") << "copy/video_ts" << false << "copy/video_ts";
    QTest::newRow("Blu-ray disc asked as DVD") << "bd" << false << "";
    QTest::newRow("empty folder") << "empty" << false << "";
    QTest::newRow("missing") << "missing" << true << "";
}

void TestFileUtils::findDiscVideoFolder() {
    QFETCH(QString, relative);
    QFETCH(bool, bluRay);
    QFETCH(QString, expected);

    for (const char* folder : {"dvd/VIDEO_TS", "both/VIDEO_TS", "both/DVD_RTAV", "rec/DVD_RTAV", "bd/BDMV",
                               "bdrec/BDAV", "mybdav/BDAV", "copy/video_ts", "empty"})
        QVERIFY(QDir().mkpath(path(folder)));

    QString found = "untouched";
    QCOMPARE(FindDiscVideoFolder(path(relative), bluRay, found), !expected.isEmpty());
    QCOMPARE(found, expected.isEmpty() ? QString("untouched") : path(expected));
}

void TestFileUtils::trailingSeparator_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("added") << "/srv/data"
                           << "/srv/data/";
    QTest::newRow("kept, not doubled") << "/srv/data/"
                                       << "/srv/data/";
    QTest::newRow("root") << "/"
                          << "/";
    // An unknown folder must stay unknown rather than become the root.
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void TestFileUtils::trailingSeparator() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(WithTrailingSeparator(path), expected);
}

QTEST_GUILESS_MAIN(TestFileUtils)
#include "tst_fileutils.moc"
