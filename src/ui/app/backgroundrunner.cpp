#include "ui/app/backgroundrunner.h"

#include "core/base/progresssink.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace discora {

namespace {

// Takes the steps of work on another thread and tells them to the real sink on this one.
class RelayedProgress : public ProgressSink
{
public:
    void begin(std::string_view text, int range) override { add({Kind::Begin, std::string(text), range}); }
    void setRange(int range) override { add({Kind::Range, {}, range}); }
    void setText(std::string_view text) override { add({Kind::Text, std::string(text), 0}); }
    void end() override { add({Kind::End, {}, 0}); }
    void step() override
    {
        const std::lock_guard lock(m_mutex);
        if (!m_pending.empty() && m_pending.back().kind == Kind::Steps)
            ++m_pending.back().number;
        else
            m_pending.push_back({Kind::Steps, {}, 1});
    }

    // What happened since the last call, told to sink in the same order.
    void replayTo(ProgressSink& sink)
    {
        std::vector<Event> events;
        {
            const std::lock_guard lock(m_mutex);
            events.swap(m_pending);
        }
        for (const Event& e : events) {
            switch (e.kind) {
            case Kind::Begin: sink.begin(e.text, e.number); break;
            case Kind::Range: sink.setRange(e.number); break;
            case Kind::Text: sink.setText(e.text); break;
            case Kind::End: sink.end(); break;
            case Kind::Steps:
                for (int i = 0; i < e.number; ++i)
                    sink.step();
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

    std::mutex m_mutex;
    std::vector<Event> m_pending;
};

} // namespace

BackgroundRunner::BackgroundRunner(ProgressSink& sink, QWidget& window, QObject* parent)
    : QObject(parent), m_sink(sink), m_window(window)
{}

void BackgroundRunner::run(const std::function<void(ProgressSink* progress)>& work)
{
    if (m_busy) { // never nested: the document must stay as the running work reads it
        work(&m_sink);
        return;
    }
    RelayedProgress relay;
    std::exception_ptr failure;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work(&relay);
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] { relay.replayTo(m_sink); });
    timer.start(30);

    m_busy = true;
    m_closeAsked = false;
    qApp->installEventFilter(this);
    worker->start();
    // Keys and clicks wait in the queue until the work is done; drawing, the desktop's requests and
    // timers go on.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    qApp->removeEventFilter(this);
    m_busy = false;
    timer.stop();
    relay.replayTo(m_sink);

    if (m_closeAsked) // asked while the work ran: asked again now that the window can answer
        QTimer::singleShot(0, &m_window, [window = QPointer<QWidget>(&m_window)] {
            if (window)
                window->close();
        });
    if (failure)
        std::rethrow_exception(failure);
}

bool BackgroundRunner::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Close:
        // Closing would ask about saving and tear down what the work reads; it waits instead.
        if (watched == &m_window) {
            m_closeAsked = true;
            event->ignore();
            return true;
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // A dropped file would replace the catalogue being read.
        event->ignore();
        return true;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace discora
