#pragma once

#include <QFutureWatcher>
#include <QGuiApplication>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>

// Long work (finding the axes, a followed trace) on a worker thread, with
// the busy pointer and the window repainting meanwhile; its result is handed
// back on the window's thread. One at a time: a second request while one
// runs is refused, not queued behind it.
class LongTask : public QObject
{
public:
    using QObject::QObject;

    bool isRunning() const { return m_running; }

    // False, and nothing started, while another runs.
    template<typename Result>
    bool run(std::function<Result()> work, std::function<void(const Result &)> done)
    {
        if (m_running)
            return false;
        m_running = true;
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        auto *watcher = new QFutureWatcher<Result>(this);
        connect(watcher, &QFutureWatcher<Result>::finished, this, [this, watcher, done = std::move(done)] {
            QGuiApplication::restoreOverrideCursor();
            m_running = false;
            watcher->deleteLater();
            done(watcher->result());
        });
        watcher->setFuture(QtConcurrent::run(std::move(work)));
        return true;
    }

    // Waits for the work under way (before the window goes).
    void wait()
    {
        for (auto *watcher : findChildren<QFutureWatcherBase *>())
            watcher->waitForFinished();
    }

private:
    bool m_running = false;
};
