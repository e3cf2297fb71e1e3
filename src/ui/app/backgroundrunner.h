// The window's runner of long read-only work: the work runs on a thread of its own while the window
// goes on handling everything but the user's keys and clicks (which wait until it is done), so it
// is drawn, answers the desktop and shows the progress bar moving.
#pragma once

#include "core/document/backgroundwork.h"

#include <QObject>

namespace discora {

class BackgroundRunner : public QObject, public BackgroundWork
{
    Q_OBJECT

public:
    // Progress goes to sink on this thread; window is the one the desktop may ask to close.
    BackgroundRunner(ProgressSink& sink, QWidget& window, QObject* parent = nullptr);

    void run(const std::function<void(ProgressSink* progress)>& work) override;
    // Whether work is running (commands wait until it is not).
    bool busy() const { return m_busy; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProgressSink& m_sink;
    QWidget& m_window;
    bool m_busy = false;
    bool m_closeAsked = false;
};

} // namespace discora
