// The progress of reading a folder of audio files: the files found and read so far, and Cancel.
// The scan runs on a worker thread while this dialog keeps the window painting; the catalogue is
// not touched until the scan is over.
#pragma once

#include "core/import/audiofolderscan.h"

#include <QProgressDialog>

#include <optional>
#include <string>

namespace discora {

class AudioScanDialog : public QProgressDialog
{
    Q_OBJECT
public:
    explicit AudioScanDialog(QWidget* parent = nullptr);

    // Reads folder and returns what the scan found; a cancelled scan comes back marked cancelled.
    Result<AudioScan> scan(const std::string& folder);

private:
    void showCounts();

    AudioScanProgress m_progress;
};

} // namespace discora
