#include "ui/dialogs/audioscandialog.h"

#include <new>

namespace discora {

AudioScanDialog::AudioScanDialog(QWidget* parent)
    : QProgressDialog(QStringLiteral("Looking for audio files..."), QStringLiteral("Cancel"), 0, 0, parent)
{
    setWindowTitle(QStringLiteral("Import Audio Files"));
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(0);
    setAutoReset(false);
    setAutoClose(false);
    connect(this, &QProgressDialog::canceled, this, [this] {
        m_progress.cancel = true;
        setLabelText(QStringLiteral("Cancelling..."));
    });
}

void AudioScanDialog::showCounts()
{
    if (m_progress.cancel)
        return;
    const int found = m_progress.found.load();
    const int read = m_progress.read.load();
    if (read == 0) {
        setLabelText(QStringLiteral("Looking for audio files: %1 found").arg(found));
        return;
    }
    setMaximum(found);
    setValue(read);
    setLabelText(QStringLiteral("Reading the audio files: %1 of %2").arg(read).arg(found));
}

void AudioScanDialog::scan(const std::string& folder, std::function<void(Result<AudioScan>)> done)
{
    connect(&m_counts, &QTimer::timeout, this, &AudioScanDialog::showCounts, Qt::UniqueConnection);
    m_counts.start(50);
    show();
    m_tasks.start<Result<AudioScan>>(
        [this, folder](ProgressSink*) -> Result<AudioScan> {
            try {
                return scanAudioFolder(folder, &m_progress);
            } catch (const std::bad_alloc&) {
                return Error{"There is not enough memory to read the folder."};
            }
        },
        [this, done = std::move(done)](TaskResult<Result<AudioScan>> result) {
            m_counts.stop();
            hide();
            done(result.value ? std::move(*result.value)
                              : Result<AudioScan>(Error{"The folder could not be read."}));
        });
}

} // namespace discora
