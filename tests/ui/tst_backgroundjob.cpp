// The background job: work runs off the calling thread, its result comes
// back on it, and only the latest start's result is ever handed over.
#include "ui/backgroundjob.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using velmora::BackgroundJob;

class TestBackgroundJob : public QObject
{
    Q_OBJECT

private slots:
    void resultComesBackOnTheOwnersThread()
    {
        BackgroundJob job;
        QSignalSpy running(&job, &BackgroundJob::runningChanged);
        QThread *workThread = nullptr;
        QThread *doneThread = nullptr;
        QString result;
        job.start(
            [&workThread] {
                workThread = QThread::currentThread();
                return QStringLiteral("fini");
            },
            [&](const QString &value) {
                doneThread = QThread::currentThread();
                result = value;
                QVERIFY(!job.isRunning()); // over before the result is used
            });
        QVERIFY(job.isRunning());
        QTRY_COMPARE(result, QStringLiteral("fini"));
        QVERIFY(workThread && workThread != QThread::currentThread());
        QCOMPARE(doneThread, QThread::currentThread());
        QCOMPARE(running.count(), 2);
        QCOMPARE(running.at(0).at(0).toBool(), true);
        QCOMPARE(running.at(1).at(0).toBool(), false);
    }

    void laterStartOrCancelDropsTheEarlierResult_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::newRow("a later start") << true;
        QTest::newRow("cancel") << false;
    }
    void laterStartOrCancelDropsTheEarlierResult()
    {
        // The first work is held until the second step is done, so it
        // finishes last whatever the scheduling.
        QFETCH(bool, restart);
        BackgroundJob job;
        QSignalSpy running(&job, &BackgroundJob::runningChanged);
        auto release = std::make_shared<QSemaphore>();
        auto firstBegan = std::make_shared<std::atomic<bool>>(false);
        auto firstRan = std::make_shared<std::atomic<bool>>(false);
        QStringList delivered;
        job.start(
            [release, firstBegan, firstRan] {
                *firstBegan = true;
                release->acquire();
                *firstRan = true;
                return 1;
            },
            [&delivered](int value) { delivered << QString::number(value); });
        QTRY_VERIFY(firstBegan->load()); // running, so it cannot be skipped
        if (restart) {
            job.start([] { return 2; }, [&delivered](int value) { delivered << QString::number(value); });
            QTRY_COMPARE(delivered, QStringList{QStringLiteral("2")});
        } else {
            job.cancel();
            QVERIFY(!job.isRunning());
        }
        release->release();
        QTRY_VERIFY(firstRan->load());
        QTest::qWait(100); // the first result, were it handed over, would be by now
        QCOMPARE(delivered, restart ? QStringList{QStringLiteral("2")} : QStringList{});
        QVERIFY(!job.isRunning());
        QCOMPARE(running.count(), 2); // one busy spell, not one per start
    }

    void destroyedWhileWorking()
    {
        // The job waits for its work when it goes, and hands nothing over.
        auto release = std::make_shared<QSemaphore>();
        auto began = std::make_shared<std::atomic<bool>>(false);
        auto finished = std::make_shared<std::atomic<bool>>(false);
        bool delivered = false;
        auto job = std::make_unique<BackgroundJob>();
        QSignalSpy running(job.get(), &BackgroundJob::runningChanged);
        job->start(
            [release, began, finished] {
                *began = true;
                release->acquire();
                *finished = true;
                return 0;
            },
            [&delivered](int) { delivered = true; });
        QTRY_VERIFY(began->load());
        // Released from another thread once the destructor is waiting.
        std::thread releaser([release] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            release->release();
        });
        job.reset();
        QVERIFY(finished->load());
        releaser.join();
        QTest::qWait(100);
        QVERIFY(!delivered);
        QCOMPARE(running.count(), 1); // no "not running" from the destructor
    }
};

QTEST_MAIN(TestBackgroundJob)
#include "tst_backgroundjob.moc"
