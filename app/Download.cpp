#include "Download.h"

#include "FileUtils.h"
#include "XmlDocFile.h"
#include "XmlPathReader.h"

#include <utility>

namespace {

const QString kQueue = QStringLiteral("Queue");
const QString kTask = QStringLiteral("Task");
const QString kName = QStringLiteral("Name");
const QString kValue = QStringLiteral("Value");

struct TextField {
    const char* name;
    QString DownloadTask::*member;
};
struct NumberField {
    const char* name;
    int DownloadTask::*member;
};

// Fields in the order the file holds them, around the sub-downloads and headers.
const TextField kLeadingFields[] = {{"Description", &DownloadTask::Description},
                                    {"ThumbnailImage", &DownloadTask::ThumbnailImage},
                                    {"Size", &DownloadTask::Size},
                                    {"Duration", &DownloadTask::Duration}};
const TextField kTrailingTextFields[] = {{"Url", &DownloadTask::Url},
                                         {"VideoFormat", &DownloadTask::VideoFormat},
                                         {"AudioFormat", &DownloadTask::AudioFormat},
                                         {"Path", &DownloadTask::Path},
                                         {"RealPath", &DownloadTask::RealPath},
                                         {"ConvertPath", &DownloadTask::ConvertPath}};
const NumberField kNumberFields[] = {{"Progress", &DownloadTask::Progress},
                                     {"State", &DownloadTask::State},
                                     {"PackageType", &DownloadTask::PackageType}};

const NumberField kOtherNumberFields[] = {{"CurrentIndex", &DownloadTask::CurrentIndex},
                                          {"Downloadstep", &DownloadTask::Downloadstep}};

bool isField(const QStringRef& name, const char* field) {
    return name.compare(QLatin1String(field), Qt::CaseInsensitive) == 0;
}

template <typename Field, std::size_t N, typename Value>
bool assignNamed(DownloadTask& task, const Field (&fields)[N], const QStringRef& name, const Value& value) {
    for (const Field& f : fields) {
        if (isField(name, f.name)) {
            task.*f.member = value;
            return true;
        }
    }
    return false;
}

// The fields with a fixed element name; false for any other element.
bool ReadFixedField(DownloadTask& task, const QStringRef& name, const QString& value) {
    if (assignNamed(task, kLeadingFields, name, value) || assignNamed(task, kTrailingTextFields, name, value) ||
        assignNamed(task, kNumberFields, name, value.toInt()) ||
        assignNamed(task, kOtherNumberFields, name, value.toInt()))
        return true;
    if (!isField(name, "IsStart"))
        return false;
    task.IsStart = value.toInt() != 0;
    return true;
}

} // namespace

Download::Download(QObject* parent) : QObject(parent) {}

Download::Download(const QString& file, QObject* parent) : QObject(parent), m_file(ToNativeSeparators(file)) {}

void Download::SetFile(const QString& path) {
    m_file = ToNativeSeparators(path);
}

QStringList Download::GetTaskNames() const {
    XmlPathReader reader;
    return reader.ReadAttributeList(m_file, kQueue, kName, QString());
}

bool Download::AddTask(DownloadTask task) {
    XmlDocFile doc(m_file);
    QDomElement element = doc.AddAttributeChild(kQueue, kTask, kName, task.Name, true);
    if (element.isNull())
        return false;
    // The task is written whole: numbered sub-download and header elements left from an earlier,
    // longer version would otherwise be read back as part of this one.
    while (element.hasChildNodes())
        element.removeChild(element.firstChild());

    const auto field = [&](const QString& name, const QString& value) {
        doc.FindOrCreateChildChecked(element, name, true, kValue, value);
    };
    for (const TextField& f : kLeadingFields)
        field(QLatin1String(f.name), task.*f.member);
    int i = 0;
    for (auto it = task.SubDownloads.cbegin(); it != task.SubDownloads.cend(); ++it, ++i) {
        field(QStringLiteral("key%1").arg(i), QString::number(it.key()));
        field(QStringLiteral("SubDownloadUrl%1").arg(i), it.value().second);
        field(QStringLiteral("SubPath%1").arg(i), it.value().first);
    }
    int j = 0;
    for (auto it = task.HttpHeaders.cbegin(); it != task.HttpHeaders.cend(); ++it, ++j) {
        field(QStringLiteral("httphead%1").arg(j), it.key());
        field(QStringLiteral("httpvalue%1").arg(j), it.value());
    }
    field(QLatin1String(kOtherNumberFields[0].name), QString::number(task.CurrentIndex));
    for (const TextField& f : kTrailingTextFields)
        field(QLatin1String(f.name), task.*f.member);
    for (const NumberField& f : kNumberFields)
        field(QLatin1String(f.name), QString::number(task.*f.member));
    field(QStringLiteral("IsStart"), task.IsStart ? QStringLiteral("1") : QStringLiteral("0"));
    field(QLatin1String(kOtherNumberFields[1].name), QString::number(task.Downloadstep));
    return doc.Save();
}

QList<DownloadTask*> Download::ReadTasks() const {
    QList<DownloadTask*> tasks;
    const QStringList names = GetTaskNames();
    for (const QString& name : names) {
        auto task = new DownloadTask;
        task->Name = name;
        if (!ReadTask(*task)) {
            delete task;
            qDeleteAll(tasks);
            return {};
        }
        tasks.append(task);
    }
    return tasks;
}

bool Download::ReadTask(DownloadTask& task) const {
    QFile device(m_file);
    XmlPathReader reader;
    const bool found =
        reader.OpenPath(device, kQueue) && reader.FindElementByAttribute(reader.name().toString(), task.Name, kName);
    if (!device.isOpen())
        return false;
    if (!found) {
        reader.setDevice(nullptr);
        return true;
    }

    int subIndex = 0;
    QString subUrl;
    QString header;
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            if (depth == 0)
                break; // the task element ends
            --depth;
            continue;
        }
        if (!reader.isStartElement())
            continue;
        ++depth;
        const QStringRef name = reader.name();
        const QString value = reader.attributes().value(kValue).toString();
        if (ReadFixedField(task, name, value))
            continue;
        // Numbered elements: a sub-download is "key" (its index), "SubDownloadUrl", then "SubPath";
        // a header is "httphead" (its name), then "httpvalue".
        if (name.contains(QLatin1String("key")))
            subIndex = value.toInt();
        else if (name.contains(QLatin1String("SubDownloadUrl")))
            subUrl = value;
        else if (name.contains(QLatin1String("SubPath")))
            task.SubDownloads.insert(subIndex, qMakePair(value, subUrl));
        else if (name.contains(QLatin1String("httphead")))
            header = value;
        else if (name.contains(QLatin1String("httpvalue")))
            task.HttpHeaders.insert(header, value);
    }
    reader.setDevice(nullptr);
    return true;
}

bool Download::SetTaskField(const QString& name, const QString& field, const QString& value) {
    XmlDocFile doc(m_file);
    return doc.SetSubElementAttribute(kQueue, kTask, kName, name, field, kValue, value) && doc.Save();
}

bool Download::RemoveTask(const QString& name) {
    XmlDocFile doc(m_file);
    return doc.RemoveByAttribute(kQueue, kName, name) && doc.Save();
}

bool Download::RemoveQueue() {
    XmlDocFile doc(m_file);
    return doc.RemoveChild(doc.RootElement(), kQueue) && doc.Save();
}
