#pragma once

#include <QMap>
#include <QPair>
#include <QString>

// One media download task as the download queue file keeps it.
struct DownloadTask {
    QString Name; // the task's key in the queue file
    QString Description;
    QString ThumbnailImage;
    QString Size;
    QString Duration;
    QString Reserved; // not kept in the file
    QString Url;
    QString Path;
    QString RealPath;
    QString ConvertPath;
    QString VideoFormat;
    QString AudioFormat;
    QMap<QString, QString> HttpHeaders; // header name -> value
    int Progress = 0;
    int State = 0;
    bool IsStart = false;
    int CurrentIndex = 0;
    QMap<int, QPair<QString, QString>> SubDownloads; // index -> (sub path, sub download address)
    int PackageType = 0;
    int Downloadstep = 0;
};
