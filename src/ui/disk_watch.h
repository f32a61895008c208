// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace zantor {

// Watches the open item file and says when something happened to it on disk. Editors
// and version control replace a file by renaming another over it, which ends a watch
// on the old file: the watch is then set on the new one, and the folder is watched as
// well, so that a file written anew after it was removed is seen too. A burst of
// events (a write in parts, a remove and rename) is told once.
class DiskWatch final : public QObject {
    Q_OBJECT
public:
    explicit DiskWatch(QObject* parent = nullptr);

    /// Watches the file at `path` instead of any other; an empty path watches nothing.
    void watch(const QString& path);
    const QString& path() const { return m_path; }
    /// True while the file itself is watched (it exists and the system allowed it).
    bool watchesFile() const;

signals:
    /// Something happened to the watched file: changed, replaced, removed or created.
    void touched();

private:
    void rearm();

    QFileSystemWatcher* m_watcher;
    QTimer* m_settle;
    QString m_path;
};

} // namespace zantor
