// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/disk_watch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace zantor {

namespace {
// Long enough for a writer to finish a burst, short enough to feel at once.
constexpr int kSettleMs = 100;
} // namespace

DiskWatch::DiskWatch(QObject* parent)
    : QObject(parent), m_watcher(new QFileSystemWatcher(this)), m_settle(new QTimer(this)) {
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMs);
    connect(m_settle, &QTimer::timeout, this, [this] {
        rearm();
        emit touched();
    });
    const auto event = [this] {
        rearm();
        m_settle->start();
    };
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, event);
    // A folder changes for every file in it: only a change of the watched file counts.
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this, event] {
        const bool exists = QFileInfo::exists(m_path);
        if (exists != watchesFile())
            event();
    });
}

void DiskWatch::watch(const QString& path) {
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_settle->stop();
    m_path = path;
    if (path.isEmpty())
        return;
    m_watcher->addPath(QFileInfo(path).absolutePath());
    rearm();
}

bool DiskWatch::watchesFile() const {
    return !m_watcher->files().isEmpty();
}

void DiskWatch::rearm() {
    // A file replaced by rename, or removed, is no longer watched; its successor is.
    if (!m_watcher->files().isEmpty() && !QFileInfo::exists(m_path))
        m_watcher->removePaths(m_watcher->files());
    if (!m_path.isEmpty() && QFileInfo::exists(m_path)) {
        if (!m_watcher->files().isEmpty())
            m_watcher->removePaths(m_watcher->files());
        m_watcher->addPath(m_path);
    }
}

} // namespace zantor
