#include "ui/app/inputhold.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace discora {

InputHold::InputHold(QWidget& window, std::function<void()> refuse, std::function<void()> cancel)
    : QObject(&window), m_window(window), m_refuse(std::move(refuse)), m_cancel(std::move(cancel))
{}

InputHold::~InputHold()
{
    if (m_engaged)
        qApp->removeEventFilter(this);
}

void InputHold::engage()
{
    if (m_engaged)
        return;
    m_engaged = true;
    m_closeAsked = false;
    qApp->installEventFilter(this);
}

void InputHold::release()
{
    if (!m_engaged)
        return;
    m_engaged = false;
    qApp->removeEventFilter(this);
    // Posted in the order they came, behind nothing: the event loop delivers them next.
    std::vector<Held> held = std::move(m_held);
    m_held.clear();
    for (Held& h : held)
        if (h.receiver)
            QCoreApplication::postEvent(h.receiver, h.event.release());
    if (m_closeAsked)
        QTimer::singleShot(0, &m_window, [window = QPointer<QWidget>(&m_window)] {
            if (window)
                window->close();
        });
}

bool InputHold::inWindow(QObject* object) const
{
    if (auto* widget = qobject_cast<QWidget*>(object))
        return widget->window() == &m_window;
    if (auto* window = qobject_cast<QWindow*>(object))
        return window == m_window.windowHandle();
    return false;
}

bool InputHold::eventFilter(QObject* watched, QEvent* event)
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
        if (inWindow(watched)) {
            event->ignore();
            if (event->type() == QEvent::DragEnter) // a refused drag brings no drop
                m_refuse();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (inWindow(watched) && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            m_cancel();
            return true;
        }
        [[fallthrough]];
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        if (inWindow(watched)) {
            m_held.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
            return true;
        }
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace discora
