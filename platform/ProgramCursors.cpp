#include "platform/ProgramCursors.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>

namespace platform {

namespace programcursors_detail {

// The hot spots of a folder, read once.
const QHash<int, QPoint>& hotSpots(const QString& folder)
{
    static QHash<QString, QHash<int, QPoint>> tables;
    const auto found = tables.constFind(folder);
    if (found != tables.constEnd())
        return *found;
    QHash<int, QPoint> table;
    QFile file(folder + QStringLiteral("/cursors.json"));
    if (file.open(QIODevice::ReadOnly)) {
        const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        for (auto it = root.begin(); it != root.end(); ++it) {
            bool ok = false;
            const int id = it.key().toInt(&ok);
            const QJsonArray point = it.value().toArray();
            if (ok && point.size() == 2 && point.at(0).isDouble() && point.at(1).isDouble())
                table.insert(id, QPoint(point.at(0).toInt(), point.at(1).toInt()));
        }
    }
    return *tables.insert(folder, table);
}

QString picturePath(int id, const QString& folder)
{
    return folder + QStringLiteral("/%1.png").arg(id);
}

} // namespace programcursors_detail

bool ProgramCursors::exists(int id, const QString& folder)
{
    return programcursors_detail::hotSpots(folder).contains(id) &&
           QFile::exists(programcursors_detail::picturePath(id, folder));
}

QPoint ProgramCursors::hotSpot(int id, const QString& folder)
{
    return programcursors_detail::hotSpots(folder).value(id, QPoint(-1, -1));
}

QCursor ProgramCursors::cursor(int id, const QString& folder)
{
    static QHash<QString, QCursor> loaded;
    const QString key = programcursors_detail::picturePath(id, folder);
    if (const auto found = loaded.constFind(key); found != loaded.constEnd())
        return *found;
    const QPixmap picture(key);
    const QPoint spot = hotSpot(id, folder);
    if (picture.isNull() || spot.x() < 0)
        return QCursor(Qt::ArrowCursor);
    return *loaded.insert(key, QCursor(picture, spot.x(), spot.y()));
}

} // namespace platform
