// The progress of reading a folder of audio files: the files found and read so far, and Cancel.
// The scan runs as a task beside the window, over files alone; the catalogue is not touched until
// its result is handed over.
#pragma once

#include "core/import/audiofolderscan.h"
#include "ui/support/taskrunner.h"

#include <QProgressDialog>
#include <QTimer>

#include <functional>
#include <string>

namespace discora {

class AudioScanDialog : public QProgressDialog
{
    Q_OBJECT
public:
    explicit AudioScanDialog(QWidget* parent = nullptr);

    // Starts reading folder and returns at once; done gets what the scan found, on this thread,
    // once it is over (a cancelled scan comes back marked cancelled).
    void scan(const std::string& folder, std::function<void(Result<AudioScan>)> done);

private:
    void showCounts();

    AudioScanProgress m_progress;
    QTimer m_counts;
    TaskRunner m_tasks;
};

} // namespace discora
