// How long catalogue operations report their progress; the main window's status bar implements it.
#pragma once

#include <string_view>

namespace discora {

class ProgressSink
{
public:
    virtual ~ProgressSink() = default;
    // Shows text and a bar with the range 0 to range at position 0.
    virtual void begin(std::string_view text, int range) = 0;
    virtual void setRange(int range) = 0;
    virtual void step() = 0;
    virtual void end() = 0;
    // Replaces the text of the running operation, for work that tells where it is ("Printing
    // page 3 of 40"); a sink may leave the first text standing.
    virtual void setText(std::string_view /*text*/) {}
};

// Shows progress for one scope when a sink is given; ends it however the scope is left.
class ProgressScope
{
public:
    ProgressScope(ProgressSink* sink, std::string_view text, int range) : m_sink(sink)
    {
        if (m_sink)
            m_sink->begin(text, range);
    }
    ~ProgressScope()
    {
        if (m_sink)
            m_sink->end();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void setRange(int range)
    {
        if (m_sink)
            m_sink->setRange(range);
    }
    void step()
    {
        if (m_sink)
            m_sink->step();
    }

private:
    ProgressSink* m_sink;
};

} // namespace discora
