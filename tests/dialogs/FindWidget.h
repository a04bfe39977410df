#pragma once

#include <QLatin1String>
#include <QWidget>
#include <QtGlobal>

// The child widget of the given type and object name; warns when there is none, so a renamed widget is
// named in the failing test's output.
template <typename T> T* Find(const QWidget& view, const char* name) {
    T* widget = view.findChild<T*>(QLatin1String(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}
