// Work split in two halves, one on a second thread.
#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace discora {

// Runs work(1) on a second thread and work(0) on this one, and rethrows what either threw (this
// thread's failure first). stopOther() is called when either fails, so that the other half can
// give up early; work(1) runs here too when no thread can be started.
template <class Work, class StopOther> void onTwoThreads(Work work, StopOther stopOther)
{
    std::exception_ptr failed;
    std::thread second;
    try {
        second = std::thread([&] {
            try {
                work(1);
            } catch (...) {
                failed = std::current_exception();
                stopOther();
            }
        });
    } catch (const std::system_error&) {
        work(0);
        work(1);
        return;
    }
    try {
        work(0);
    } catch (...) {
        stopOther();
        second.join();
        throw;
    }
    second.join();
    if (failed)
        std::rethrow_exception(failed);
}

template <class Work> void onTwoThreads(Work work)
{
    onTwoThreads(work, [] {});
}

} // namespace discora
