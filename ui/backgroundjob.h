// Work done off the window's thread, one piece at a time: start() runs a
// function on a worker thread and hands its result back on the owner's
// thread. A later start() supersedes an earlier one (whose result is then
// dropped), and so does cancel(). The job waits for work still running when
// it goes, so its owner can be destroyed meanwhile: the work only ever holds
// its own copies of what it needs.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <type_traits>
#include <utility>

namespace velmora {

class BackgroundJob : public QObject
{
    Q_OBJECT
public:
    explicit BackgroundJob(QObject *parent = nullptr);
    // Waits for the work still running; no result is handed back.
    ~BackgroundJob() override;

    // Runs WORK (a function taking nothing and returning a value) on a
    // worker thread, then calls DONE with that value on this object's
    // thread, unless start() or cancel() was called again meanwhile.
    template <typename Work, typename Done>
    void start(Work work, Done done);

    // Drops the result of the work under way. Work that has not begun is
    // not run; work already running goes on to its end and is ignored.
    void cancel();

    // Whether a result is still awaited: from start() until its DONE is
    // called, or until cancel().
    bool isRunning() const { return m_running; }

signals:
    // isRunning() changed: true at the first start(), false just before a
    // result is handed over or at cancel(). Never emitted by the destructor.
    void runningChanged(bool running);

private:
    // Counts the start, drops the result of the one before, and returns the
    // number of this start.
    quint64 supersede(QFutureWatcherBase *watcher);
    // Whether the start with this number is the latest; if so, it is over.
    bool takeTurn(quint64 number);

    QThreadPool m_pool;
    quint64 m_latest = 0;
    QPointer<QFutureWatcherBase> m_latestWatcher;
    bool m_running = false;
};

template <typename Work, typename Done>
void BackgroundJob::start(Work work, Done done)
{
    using Result = std::invoke_result_t<Work>;
    auto *watcher = new QFutureWatcher<Result>(this);
    const quint64 number = supersede(watcher);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, number, done = std::move(done)]() mutable {
        watcher->deleteLater();
        if (takeTurn(number))
            done(watcher->future().takeResult());
    });
    watcher->setFuture(QtConcurrent::run(&m_pool, std::move(work)));
}

} // namespace velmora
