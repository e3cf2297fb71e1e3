// Long work beside the window: a task runs on a thread of its own over data it owns, or over data
// that nothing changes until its result is handed back; its progress reaches a sink on the
// window's thread as it goes; it can be cancelled; and its result is handed to the window's thread
// once, by the event loop the window already runs (nothing waits for it in a loop of its own).
#pragma once

#include "core/base/progresssink.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace discora {

// What a cancelled task's progress throws from its next step, so that any work that reports its
// steps stops there.
struct TaskCancelled
{
};

// How a task ended: its value; or cancelled; or failure, what it threw (std::bad_alloc, say).
template <class Result> struct TaskResult
{
    std::optional<Result> value;
    bool cancelled = false;
    std::exception_ptr failure;
};

class TaskRunner : public QObject
{
    Q_OBJECT

public:
    // progress: where the task's steps go on this thread (may be null).
    explicit TaskRunner(ProgressSink* progress = nullptr, QObject* parent = nullptr);
    // A task still running is cancelled and waited for; its result is never handed over.
    ~TaskRunner() override;

    // Starts work on a thread of its own and returns at once; done gets how it ended on this
    // thread, once the thread has ended. One task at a time: busy() says whether one runs.
    template <class Result>
    void start(std::function<Result(ProgressSink* progress)> work,
               std::function<void(TaskResult<Result>)> done)
    {
        auto value = std::make_shared<std::optional<Result>>();
        startErased([value, work = std::move(work)](ProgressSink* p) { value->emplace(work(p)); },
                    [value, done = std::move(done)](std::exception_ptr failure, bool cancelled) {
                        TaskResult<Result> result;
                        result.failure = failure;
                        result.cancelled = cancelled;
                        if (!failure && !cancelled)
                            result.value = std::move(*value);
                        done(std::move(result));
                    });
    }

    bool busy() const { return m_thread != nullptr; }
    // Asks the running task to stop: its next progress step throws TaskCancelled (work that
    // reports no steps may look at cancelled() instead).
    void cancel() { m_cancelled = true; }
    bool cancelled() const { return m_cancelled; }

signals:
    // After a task's result was handed over.
    void finished();

private:
    class Relay;
    void startErased(std::function<void(ProgressSink*)> work,
                     std::function<void(std::exception_ptr failure, bool cancelled)> done);
    void handOver();

    ProgressSink* m_progress;
    std::unique_ptr<Relay> m_relay;
    QThread* m_thread = nullptr;
    QTimer m_replay;
    std::atomic<bool> m_cancelled = false;
    std::exception_ptr m_failure;
    bool m_wasCancelled = false;
    std::function<void(std::exception_ptr, bool)> m_done;
};

} // namespace discora
