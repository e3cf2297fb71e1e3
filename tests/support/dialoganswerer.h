// Answers a modal dialog of one kind once it shows, the way a user would, and counts how often one
// showed. The code under test runs the dialog with exec(); a timer finds it as the active modal
// widget and hands it to answer. A dialog answer leaves open is rejected.
#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

namespace discora::fixture {

template <class Dialog> class DialogAnswerer
{
public:
    explicit DialogAnswerer(std::function<void(Dialog&)> answer) : m_answer(std::move(answer))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++m_shown;
            m_answer(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_timer.start(5);
    }
    int shown() const { return m_shown; }

private:
    QTimer m_timer;
    std::function<void(Dialog&)> m_answer;
    int m_shown = 0;
};

} // namespace discora::fixture
