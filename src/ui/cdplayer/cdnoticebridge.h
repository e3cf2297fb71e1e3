// Carries the devices' completion notices from the playback thread to the window's thread: the
// device calls post() on its own thread, and the player window receives noticed() queued, on its
// own. It outlives every device that posts to it.
#pragma once

#include "core/cdplayer/cddevice.h"

#include <QObject>

namespace discora {

class CdNoticeBridge : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Safe on any thread.
    void post(PlayId id) { emit noticed(static_cast<quint64>(id)); }
    // The sink to hand a device.
    CdNoticeSink sink()
    {
        return [this](PlayId id) { post(id); };
    }

signals:
    void noticed(quint64 id);
};

} // namespace discora
