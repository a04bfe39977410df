#pragma once

// What an HTTP peer recorded of a request (peer.request_record in tests/common/peers/peer.py): method, target
// as sent, path, rawQuery, query (the decoded items in order, each a pair) and headers (pairs, in order).

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace RecordedRequest {

// The value of the first header of that name (in any letter case); none when it was not sent.
inline std::optional<QString> FindHeader(const QJsonObject& record, const QString& name) {
    for (const QJsonValue& header : record.value(QStringLiteral("headers")).toArray()) {
        const QJsonArray pair = header.toArray();
        if (pair.at(0).toString().compare(name, Qt::CaseInsensitive) == 0)
            return pair.at(1).toString();
    }
    return std::nullopt;
}

// The value of a header; empty when it was not sent.
inline QString Header(const QJsonObject& record, const QString& name) {
    return FindHeader(record, name).value_or(QString());
}

inline bool HasHeader(const QJsonObject& record, const QString& name) {
    return FindHeader(record, name).has_value();
}

// The names of the query items, in the order they were sent.
inline QStringList QueryKeys(const QJsonObject& record) {
    QStringList keys;
    for (const QJsonValue& item : record.value(QStringLiteral("query")).toArray())
        keys.append(item.toArray().at(0).toString());
    return keys;
}

// The value of the first query item of that name; empty when there is none.
inline QString QueryValue(const QJsonObject& record, const QString& key) {
    for (const QJsonValue& item : record.value(QStringLiteral("query")).toArray()) {
        if (item.toArray().at(0).toString() == key)
            return item.toArray().at(1).toString();
    }
    return QString();
}

} // namespace RecordedRequest
