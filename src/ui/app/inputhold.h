// What the window does with the user's input while long work reads the document beside it: keys
// and clicks aimed at the window are held and delivered, in order, once the work is done (Escape
// cancels the work instead); a file dropped on the window is refused and the status bar says why;
// a close asked for is put off until then. Drawing, the desktop's requests and timers go on.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QWidget;

namespace discora {

class InputHold : public QObject
{
    Q_OBJECT

public:
    // refuse tells the user why a drop was refused; cancel asks the work to stop.
    InputHold(QWidget& window, std::function<void()> refuse, std::function<void()> cancel);
    ~InputHold() override;

    void engage();
    // Delivers what was held, and asks again for a close that was put off.
    void release();
    bool engaged() const { return m_engaged; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inWindow(QObject* object) const;

    struct Held
    {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    QWidget& m_window;
    std::function<void()> m_refuse;
    std::function<void()> m_cancel;
    bool m_engaged = false;
    bool m_closeAsked = false;
    std::vector<Held> m_held;
};

} // namespace discora
