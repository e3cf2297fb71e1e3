#include "ui/dialogs/audioscandialog.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <memory>
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

Result<AudioScan> AudioScanDialog::scan(const std::string& folder)
{
    std::optional<Result<AudioScan>> result;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            result.emplace(scanAudioFolder(folder, &m_progress));
        } catch (const std::bad_alloc&) {
            result.emplace(Error{"There is not enough memory to read the folder."});
        }
    }));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [this] { showCounts(); });
    timer.start(50);
    show();
    worker->start();
    loop.exec();
    worker->wait();
    timer.stop();
    hide();
    return std::move(*result);
}

} // namespace discora
