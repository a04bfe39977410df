#include "ConfinedPath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

bool IsBelow(const QString& path, const QString& root) {
    return path.startsWith(root + QLatin1Char('/'));
}

} // namespace

bool IsConfinedToFolder(const QString& folder, const QString& path) {
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty() || folder.isEmpty())
        return false;
    QString prefix = QDir::fromNativeSeparators(folder);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    const QString wanted = QDir::fromNativeSeparators(path);
    if (!wanted.startsWith(prefix))
        return false;
    QStringList steps = wanted.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    steps.removeAll(QStringLiteral("."));
    if (steps.isEmpty() || steps.contains(QStringLiteral("..")))
        return false;

    QString reached = root;
    for (const QString& step : steps) {
        const QFileInfo next(reached + QLatin1Char('/') + step);
        if (next.isSymLink()) {
            // A dangling link is refused too: the launcher would create its target, wherever that is.
            const QString target = next.canonicalFilePath();
            if (target.isEmpty() || !IsBelow(target, root))
                return false;
            reached = target;
        } else if (next.exists()) {
            reached = next.absoluteFilePath();
        } else {
            // Nothing exists from here on, so no link can lie further down.
            break;
        }
    }
    return true;
}
