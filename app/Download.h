#pragma once

#include "DownloadTask.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// A queue of download tasks in a small XML file: "Queue" under the root, one "Task" (attribute "Name")
// per task, one element per field holding the value in its attribute "Value". Every change loads the
// file, edits it and replaces it atomically; every read parses it from the start.
class Download : public QObject {
    Q_OBJECT
public:
    explicit Download(QObject* parent = nullptr);
    explicit Download(const QString& file, QObject* parent = nullptr);

    void SetFile(const QString& path);
    const QString& GetFile() const { return m_file; }

    // Task names in file order (the most recently added first).
    QStringList GetTaskNames() const;
    // Adds the task, or updates the stored one whose name matches ignoring case. False when the file
    // could not be written.
    bool AddTask(DownloadTask task);
    // One record per stored task; the caller owns them. Empty when the file cannot be read.
    QList<DownloadTask*> ReadTasks() const;
    // Sets the "Value" of one field element of the named task; false when the task is unknown or the
    // file could not be written.
    bool SetTaskField(const QString& name, const QString& field, const QString& value);
    // Removes the named task, and the queue with it when it is left empty.
    bool RemoveTask(const QString& name);
    // Removes the whole queue.
    bool RemoveQueue();

private:
    bool ReadTask(DownloadTask& task) const;

    QString m_file;
};
