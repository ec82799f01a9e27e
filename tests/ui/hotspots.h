// The cursors' hot spots as the drawings' own list states them
// (cursors/hotspots.txt, compiled into the resources with the drawings), read
// here on its own so the window tests compare each control's cursor with it.
#pragma once

#include <QFile>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace uitest {

// The hot spot of the cursor drawing NAME (e.g. "cursor1-ok"); (-1, -1),
// which no cursor has, when the list does not name it. The resources must
// be registered (any window of the program built).
inline QPoint designHotSpot(const QString &name)
{
    QFile file(QStringLiteral(":/velmora/cursors/hotspots.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {-1, -1};
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields.size() == 3 && fields[0] == name)
            return {fields[1].toInt(), fields[2].toInt()};
    }
    return {-1, -1};
}

} // namespace uitest
