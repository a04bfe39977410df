#include "Download.h"
#include "SettingsTestEnv.h"

#include <QDomDocument>
#include <QtTest>

// The download task queue file on small fixtures.
class TestDownload : public QObject {
    Q_OBJECT

private slots:
    void init();

    void taskRoundTrips();
    void fileLayout();
    void newestTaskFirst();
    void nameInAnotherCaseUpdatesTask();
    void shorterUpdateLeavesNoStaleEntries();
    void entriesInsideSubInfo();
    void setTaskField();
    void removeTask();
    void removeQueue();
    void unusableFile();

private:
    QString queueFile() const { return m_dir->filePath(QStringLiteral("downloads.xml")); }
    static DownloadTask sampleTask(const QString& name);
    // Every field in a form QCOMPARE can show.
    static QStringList describe(const DownloadTask& task);
    QList<QStringList> readAll(const Download& download) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDownload::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

DownloadTask TestDownload::sampleTask(const QString& name) {
    DownloadTask task;
    task.Name = name;
    task.Description = QStringLiteral("Clip & more");
    task.ThumbnailImage = QStringLiteral("/tmp/thumb.png");
    task.Size = QStringLiteral("1048576");
    task.Duration = QStringLiteral("01:02");
    task.Url = QStringLiteral("http://127.0.0.1/clip?a=1&b=2");
    task.Path = QStringLiteral("/tmp/clip");
    task.RealPath = QStringLiteral("/tmp/clip.mp4");
    task.ConvertPath = QStringLiteral("/tmp/clip.mkv");
    task.VideoFormat = QStringLiteral("mp4");
    task.AudioFormat = QStringLiteral("aac");
    task.HttpHeaders.insert(QStringLiteral("User-Agent"), QStringLiteral("test"));
    task.HttpHeaders.insert(QStringLiteral("Cookie"), QStringLiteral("k=v"));
    task.Progress = 42;
    task.State = 3;
    task.IsStart = true;
    task.CurrentIndex = 5;
    task.SubDownloads.insert(5, qMakePair(QStringLiteral("/tmp/p5"), QStringLiteral("http://127.0.0.1/5")));
    task.SubDownloads.insert(2, qMakePair(QStringLiteral("/tmp/p2"), QStringLiteral("http://127.0.0.1/2")));
    task.PackageType = 7;
    task.Downloadstep = -1;
    return task;
}

QStringList TestDownload::describe(const DownloadTask& t) {
    QStringList out{t.Name,
                    t.Description,
                    t.ThumbnailImage,
                    t.Size,
                    t.Duration,
                    t.Url,
                    t.Path,
                    t.RealPath,
                    t.ConvertPath,
                    t.VideoFormat,
                    t.AudioFormat,
                    QString::number(t.Progress),
                    QString::number(t.State),
                    QString::number(t.IsStart),
                    QString::number(t.CurrentIndex),
                    QString::number(t.PackageType),
                    QString::number(t.Downloadstep)};
    for (auto it = t.HttpHeaders.cbegin(); it != t.HttpHeaders.cend(); ++it)
        out << QStringLiteral("header %1: %2").arg(it.key(), it.value());
    for (auto it = t.SubDownloads.cbegin(); it != t.SubDownloads.cend(); ++it)
        out << QStringLiteral("sub %1: %2 from %3").arg(it.key()).arg(it.value().first, it.value().second);
    return out;
}

QList<QStringList> TestDownload::readAll(const Download& download) const {
    const QList<DownloadTask*> tasks = download.ReadTasks();
    QList<QStringList> out;
    for (const DownloadTask* task : tasks)
        out << describe(*task);
    qDeleteAll(tasks);
    return out;
}

void TestDownload::taskRoundTrips() {
    Download download(queueFile());
    const DownloadTask task = sampleTask(QStringLiteral("clip"));
    QVERIFY(download.AddTask(task));
    QCOMPARE(readAll(download), QList<QStringList>{describe(task)});
}

void TestDownload::fileLayout() {
    Download download(queueFile());
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("clip"))));
    QDomDocument doc;
    QVERIFY(doc.setContent(SettingsTestEnv::ReadAll(queueFile())));
    QCOMPARE(doc.documentElement().tagName(), QStringLiteral("downloads"));
    const QDomElement task = doc.documentElement().firstChildElement(QStringLiteral("Queue")).firstChildElement();
    QCOMPARE(task.tagName(), QStringLiteral("Task"));
    QCOMPARE(task.attribute(QStringLiteral("Name")), QStringLiteral("clip"));
    QStringList fields;
    for (QDomElement e = task.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        fields << e.tagName() + QLatin1Char('=') + e.attribute(QStringLiteral("Value"));
    QCOMPARE(fields, (QStringList{"Description=Clip & more",
                                  "ThumbnailImage=/tmp/thumb.png",
                                  "Size=1048576",
                                  "Duration=01:02",
                                  "key0=2",
                                  "SubDownloadUrl0=http://127.0.0.1/2",
                                  "SubPath0=/tmp/p2",
                                  "key1=5",
                                  "SubDownloadUrl1=http://127.0.0.1/5",
                                  "SubPath1=/tmp/p5",
                                  "httphead0=Cookie",
                                  "httpvalue0=k=v",
                                  "httphead1=User-Agent",
                                  "httpvalue1=test",
                                  "CurrentIndex=5",
                                  "Url=http://127.0.0.1/clip?a=1&b=2",
                                  "VideoFormat=mp4",
                                  "AudioFormat=aac",
                                  "Path=/tmp/clip",
                                  "RealPath=/tmp/clip.mp4",
                                  "ConvertPath=/tmp/clip.mkv",
                                  "Progress=42",
                                  "State=3",
                                  "PackageType=7",
                                  "IsStart=1",
                                  "Downloadstep=-1"}));
}

void TestDownload::newestTaskFirst() {
    Download download(queueFile());
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("first"))));
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("second"))));
    QCOMPARE(download.GetTaskNames(), (QStringList{"second", "first"}));
    QCOMPARE(readAll(download).size(), 2);
}

void TestDownload::nameInAnotherCaseUpdatesTask() {
    Download download(queueFile());
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("Clip"))));
    DownloadTask update = sampleTask(QStringLiteral("CLIP"));
    update.Progress = 100;
    QVERIFY(download.AddTask(update));
    QCOMPARE(download.GetTaskNames(), QStringList{"Clip"});
    const QList<DownloadTask*> tasks = download.ReadTasks();
    QCOMPARE(tasks.size(), 1);
    QCOMPARE(tasks.first()->Progress, 100);
    qDeleteAll(tasks);
}

void TestDownload::shorterUpdateLeavesNoStaleEntries() {
    Download download(queueFile());
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("clip"))));
    DownloadTask shorter = sampleTask(QStringLiteral("clip"));
    shorter.SubDownloads.remove(5);
    shorter.HttpHeaders.remove(QStringLiteral("User-Agent"));
    QVERIFY(download.AddTask(shorter));
    QCOMPARE(readAll(download), QList<QStringList>{describe(shorter)});
}

void TestDownload::entriesInsideSubInfo() {
    SettingsTestEnv::WriteAll(queueFile(),
                              "<downloads><Queue><Task Name=\"a\"><description Value=\"d\"/>"
                              "<SubInfo><key0 Value=\"3\"/><SubDownloadUrl0 Value=\"u3\"/><SubPath0 Value=\"p3\"/>"
                              "<httphead0 Value=\"H\"/><httpvalue0 Value=\"v\"/></SubInfo>"
                              "<ISSTART Value=\"2\"/></Task>"
                              "<Task Name=\"b\"><Progress Value=\"9\"/></Task></Queue></downloads>");
    Download download(queueFile());
    const QList<DownloadTask*> tasks = download.ReadTasks();
    QCOMPARE(tasks.size(), 2);
    QCOMPARE(tasks[0]->Description, QStringLiteral("d"));
    QCOMPARE(tasks[0]->SubDownloads.value(3), qMakePair(QStringLiteral("p3"), QStringLiteral("u3")));
    QCOMPARE(tasks[0]->HttpHeaders.value(QStringLiteral("H")), QStringLiteral("v"));
    QVERIFY(tasks[0]->IsStart);
    QCOMPARE(tasks[0]->Progress, 0);
    QCOMPARE(tasks[1]->Progress, 9);
    QVERIFY(tasks[1]->SubDownloads.isEmpty());
    qDeleteAll(tasks);
}

void TestDownload::setTaskField() {
    Download download(queueFile());
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("clip"))));
    QVERIFY(download.SetTaskField(QStringLiteral("CLIP"), QStringLiteral("Progress"), QStringLiteral("77")));
    QVERIFY(!download.SetTaskField(QStringLiteral("other"), QStringLiteral("Progress"), QStringLiteral("1")));
    const QList<DownloadTask*> tasks = download.ReadTasks();
    QCOMPARE(tasks.size(), 1);
    QCOMPARE(tasks.first()->Progress, 77);
    qDeleteAll(tasks);
}

void TestDownload::removeTask() {
    Download download(queueFile());
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("a"))));
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("b"))));
    QVERIFY(download.RemoveTask(QStringLiteral("A")));
    QCOMPARE(download.GetTaskNames(), QStringList{"b"});
    QVERIFY(!download.RemoveTask(QStringLiteral("a")));
    QVERIFY(download.RemoveTask(QStringLiteral("b")));
    QCOMPARE(SettingsTestEnv::CountElements(queueFile(), QStringLiteral("Queue")), 0);
    QVERIFY(download.ReadTasks().isEmpty());
}

void TestDownload::removeQueue() {
    Download download(queueFile());
    QVERIFY(!download.RemoveQueue());
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("a"))));
    QVERIFY(download.AddTask(sampleTask(QStringLiteral("b"))));
    QVERIFY(download.RemoveQueue());
    QCOMPARE(download.GetTaskNames(), QStringList());
    QCOMPARE(SettingsTestEnv::CountElements(queueFile(), QStringLiteral("downloads")), 1);
}

void TestDownload::unusableFile() {
    SettingsTestEnv::WriteAll(m_dir->filePath(QStringLiteral("file")), "x");
    Download download(m_dir->filePath(QStringLiteral("file/downloads.xml")));
    QVERIFY(!download.AddTask(sampleTask(QStringLiteral("a"))));
    QVERIFY(download.ReadTasks().isEmpty());
    QVERIFY(!download.SetTaskField(QStringLiteral("a"), QStringLiteral("State"), QStringLiteral("1")));
    QVERIFY(!download.RemoveTask(QStringLiteral("a")));
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
