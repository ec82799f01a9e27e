#include "ui/backgroundjob.h"

#include <QThread>

#include <algorithm>

namespace velmora {

BackgroundJob::BackgroundJob(QObject *parent)
    : QObject(parent)
{
    // A superseded piece of work cannot be stopped once it runs: with at
    // least two threads the latest one starts at once beside it.
    m_pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
}

BackgroundJob::~BackgroundJob()
{
    // Work not yet begun is skipped; the watchers go with this object, so
    // no result is handed over.
    if (m_latestWatcher)
        m_latestWatcher->cancel();
    m_pool.waitForDone();
}

quint64 BackgroundJob::supersede(QFutureWatcherBase *watcher)
{
    if (m_latestWatcher)
        m_latestWatcher->cancel();
    m_latestWatcher = watcher;
    if (!m_running) {
        m_running = true;
        emit runningChanged(true);
    }
    return ++m_latest;
}

bool BackgroundJob::takeTurn(quint64 number)
{
    if (number != m_latest || !m_running)
        return false;
    m_latestWatcher = nullptr;
    m_running = false;
    emit runningChanged(false);
    return true;
}

void BackgroundJob::cancel()
{
    ++m_latest;
    if (m_latestWatcher)
        m_latestWatcher->cancel();
    m_latestWatcher = nullptr;
    if (m_running) {
        m_running = false;
        emit runningChanged(false);
    }
}

} // namespace velmora
