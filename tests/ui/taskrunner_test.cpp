#include "ui/support/taskrunner.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <string>
#include <vector>

namespace discora {
namespace {

// Records what a task's work told its progress, and whether any of it arrived on another thread.
struct RecordingSink : ProgressSink
{
    void begin(std::string_view text, int range) override
    {
        note("begin " + std::string(text) + " " + std::to_string(range));
    }
    void setRange(int range) override { note("range " + std::to_string(range)); }
    void step() override
    {
        ++steps;
        note("step");
    }
    void end() override { note("end"); }
    void note(std::string what)
    {
        told.push_back(std::move(what));
        onOtherThread = onOtherThread || QThread::currentThread() != qApp->thread();
    }
    std::vector<std::string> told;
    int steps = 0;
    bool onOtherThread = false;
};

TEST(TaskRunnerTest, WorkRunsBesideTheEventLoopAndItsResultIsHandedOverOnce)
{
    RecordingSink sink;
    TaskRunner runner(&sink);
    // The work waits, half done, until this thread has shown its first steps: only an event loop
    // that goes on while the work runs gets it past that point.
    std::atomic<bool> seen = false;
    int handedOver = 0;
    int value = 0;
    bool onWindowThread = false;
    runner.start<int>(
        [&](ProgressSink* progress) {
            progress->begin("Building the Song List", 4);
            progress->step();
            progress->step();
            while (!seen)
                QThread::yieldCurrentThread();
            progress->step();
            progress->step();
            progress->end();
            return 42;
        },
        [&](TaskResult<int> result) {
            ++handedOver;
            value = result.value.value_or(-1);
            onWindowThread = QThread::currentThread() == qApp->thread();
        });
    EXPECT_TRUE(runner.busy()) << "start waited for the work";
    EXPECT_TRUE(QTest::qWaitFor([&] { return sink.steps >= 2; }, 10000));
    EXPECT_EQ(handedOver, 0);
    seen = true;
    QSignalSpy finished(&runner, &TaskRunner::finished);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(runner.busy());
    EXPECT_EQ(handedOver, 1);
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(onWindowThread);
    const std::vector<std::string> expected = {
        "begin Building the Song List 4", "step", "step", "step", "step", "end"};
    EXPECT_EQ(sink.told, expected);
    EXPECT_FALSE(sink.onOtherThread);
    QApplication::processEvents();
    EXPECT_EQ(handedOver, 1) << "the result came twice";
}

TEST(TaskRunnerTest, CancelStopsTheWorkAtItsNextStepAndAFailureComesBack)
{
    TaskRunner runner;
    std::atomic<bool> stepping = false;
    std::optional<TaskResult<int>> outcome;
    runner.start<int>(
        [&](ProgressSink* progress) {
            for (;;) { // endless but for the cancel
                progress->step();
                stepping = true;
            }
            return 0;
        },
        [&](TaskResult<int> result) { outcome = std::move(result); });
    while (!stepping)
        QThread::yieldCurrentThread();
    runner.cancel();
    QSignalSpy finished(&runner, &TaskRunner::finished);
    ASSERT_TRUE(finished.wait(10000));
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->cancelled);
    EXPECT_FALSE(outcome->value);
    EXPECT_FALSE(outcome->failure);

    // What the work throws comes back as its failure, and the runner takes the next task.
    outcome.reset();
    runner.start<int>([](ProgressSink*) -> int { throw std::bad_alloc(); },
                      [&](TaskResult<int> result) { outcome = std::move(result); });
    ASSERT_TRUE(finished.wait(10000));
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->cancelled);
    ASSERT_TRUE(outcome->failure);
    EXPECT_THROW(std::rethrow_exception(outcome->failure), std::bad_alloc);
    EXPECT_FALSE(runner.cancelled()) << "a new task starts uncancelled";
}

TEST(TaskRunnerTest, ARunnerGoneBeforeItsTaskEndedHandsNothingOver)
{
    bool handedOver = false;
    std::atomic<bool> started = false;
    {
        TaskRunner runner;
        runner.start<int>(
            [&](ProgressSink* progress) {
                started = true;
                for (;;)
                    progress->step();
                return 0;
            },
            [&](TaskResult<int>) { handedOver = true; });
        while (!started)
            QThread::yieldCurrentThread();
    }
    QApplication::processEvents();
    EXPECT_FALSE(handedOver);
}

} // namespace
} // namespace discora
