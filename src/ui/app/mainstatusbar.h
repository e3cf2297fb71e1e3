// The status bar: a message pane with the lock indicators, or, while a long operation runs, the
// message pane and a progress bar as wide as 110 blanks. Long operations report through the
// ProgressSink interface; they may nest, and an inner one hands the bar back to the outer one.
#pragma once

#include "core/base/progresssink.h"

#include <QStatusBar>

#include <memory>
#include <vector>

class QLabel;
class QProgressBar;

namespace discora {

class MainStatusBar : public QStatusBar, public ProgressSink
{
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);
    ~MainStatusBar() override;

    void setStatusText(const QString& text);
    // The permanent fields: how many albums are shown, and the current order.
    void setOrientation(const QString& albums, const QString& order);
    QLabel* albumCountField() const { return m_albumCount; }
    QLabel* orderField() const { return m_order; }
    void showProgressPanes();
    void showNormalPanes();
    bool inProgressLayout() const;
    QString statusText() const;
    QProgressBar* progressBar() const { return m_progress; }
    // The lock indicators, for the window's key handling to refresh.
    void updateLockIndicators();
    QLabel* lockIndicator(int index) const { return m_locks[index]; }

    // ProgressSink
    void begin(std::string_view text, int range) override;
    void setRange(int range) override;
    void step() override;
    void end() override;
    void setText(std::string_view text) override;

private:
    struct Operation
    {
        QString text;
        int range = 0;
        int position = 0;
    };
    void showOperation(const Operation& op);
    void showPosition(bool force);

    QLabel* m_message = nullptr;
    QLabel* m_albumCount = nullptr;
    QLabel* m_order = nullptr;
    QLabel* m_locks[3] = {};
    QProgressBar* m_progress = nullptr;
    std::vector<Operation> m_operations;
    int m_shownStep = -1;
};

} // namespace discora
