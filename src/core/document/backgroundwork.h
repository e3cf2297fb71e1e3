// Long work that only reads the document (building the song list of a large catalogue) can be
// handed to a runner. The window's runner does it on a second thread while it goes on drawing
// itself and the progress bar; without a runner it is done at once on the caller's thread.
#pragma once

#include <functional>

namespace discora {

class ProgressSink;

class BackgroundWork
{
public:
    virtual ~BackgroundWork() = default;
    // Does work to its end and returns then, handing it the sink its steps go to; what work throws
    // is thrown from here. The document must not change until it returns.
    virtual void run(const std::function<void(ProgressSink* progress)>& work) = 0;
};

} // namespace discora
