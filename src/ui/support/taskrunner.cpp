#include "ui/support/taskrunner.h"

#include <QThread>

#include <mutex>
#include <string>
#include <vector>

namespace discora {

// Takes the steps of the task on its thread and tells them to the real sink on this one, in the
// same order; throws TaskCancelled from a step once the task was cancelled.
class TaskRunner::Relay : public ProgressSink
{
public:
    explicit Relay(const std::atomic<bool>& cancelled) : m_cancelled(cancelled) {}

    void begin(std::string_view text, int range) override { add({Kind::Begin, std::string(text), range}); }
    void setRange(int range) override { add({Kind::Range, {}, range}); }
    void setText(std::string_view text) override { add({Kind::Text, std::string(text), 0}); }
    void end() override { add({Kind::End, {}, 0}); }
    void step() override
    {
        if (m_cancelled)
            throw TaskCancelled{};
        const std::lock_guard lock(m_mutex);
        if (!m_pending.empty() && m_pending.back().kind == Kind::Steps)
            ++m_pending.back().number;
        else
            m_pending.push_back({Kind::Steps, {}, 1});
    }

    void replayTo(ProgressSink* sink)
    {
        std::vector<Event> events;
        {
            const std::lock_guard lock(m_mutex);
            events.swap(m_pending);
        }
        if (!sink)
            return;
        for (const Event& e : events) {
            switch (e.kind) {
            case Kind::Begin: sink->begin(e.text, e.number); break;
            case Kind::Range: sink->setRange(e.number); break;
            case Kind::Text: sink->setText(e.text); break;
            case Kind::End: sink->end(); break;
            case Kind::Steps:
                for (int i = 0; i < e.number; ++i)
                    sink->step();
                break;
            }
        }
    }

private:
    enum class Kind
    {
        Begin,
        Range,
        Text,
        Steps,
        End
    };
    struct Event
    {
        Kind kind;
        std::string text;
        int number; // the range, or how many steps
    };
    void add(Event e)
    {
        const std::lock_guard lock(m_mutex);
        m_pending.push_back(std::move(e));
    }

    const std::atomic<bool>& m_cancelled;
    std::mutex m_mutex;
    std::vector<Event> m_pending;
};

TaskRunner::TaskRunner(ProgressSink* progress, QObject* parent)
    : QObject(parent), m_progress(progress), m_relay(std::make_unique<Relay>(m_cancelled))
{
    connect(&m_replay, &QTimer::timeout, this, [this] { m_relay->replayTo(m_progress); });
}

TaskRunner::~TaskRunner()
{
    if (!m_thread)
        return;
    m_cancelled = true;
    m_thread->disconnect(this);
    m_thread->wait();
    delete m_thread;
}

void TaskRunner::startErased(std::function<void(ProgressSink*)> work,
                             std::function<void(std::exception_ptr, bool)> done)
{
    Q_ASSERT(!m_thread);
    m_cancelled = false;
    m_failure = nullptr;
    m_wasCancelled = false;
    m_done = std::move(done);
    m_thread = QThread::create([this, work = std::move(work)] {
        try {
            work(m_relay.get());
        } catch (const TaskCancelled&) {
            m_wasCancelled = true;
        } catch (...) {
            m_failure = std::current_exception();
        }
        m_wasCancelled = m_wasCancelled || (m_cancelled && !m_failure);
    });
    // Queued: the hand-over comes from this thread's own event loop after the task's thread ended.
    connect(m_thread, &QThread::finished, this, &TaskRunner::handOver, Qt::QueuedConnection);
    m_replay.start(30);
    m_thread->start();
}

void TaskRunner::handOver()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_replay.stop();
    m_relay->replayTo(m_progress);
    const auto done = std::move(m_done);
    m_done = nullptr;
    const std::exception_ptr failure = m_failure;
    m_failure = nullptr;
    done(failure, m_wasCancelled);
    emit finished();
}

} // namespace discora
