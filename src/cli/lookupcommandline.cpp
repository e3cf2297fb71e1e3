#include "cli/lookupcommandline.h"

#include "core/cdplayer/disctimes.h"
#include "core/cdplayer/libcdiodevice.h"
#include "core/lookup/lookuprequest.h"
#include "core/lookup/releasefill.h"
#include "core/settings/appsettings.h"

#include <QCoreApplication>

#include <cstdlib>
#include <ostream>

namespace discora {

int runLookupMode(const CommandLine& cl, SettingsStore& store, std::ostream& out, std::ostream& err,
                  const LookupTimings& timings)
{
    AppSettings settings(store);
    LibcdioDevice device(chooseCdDrive(cl.cdDevice, std::getenv(kCdDeviceVariable), settings.readCdDrive()));
    const DiscIdReading reading = readDiscIdentity(device);
    if (!reading.ok()) {
        err << reading.message << "\n";
        return kExitFailure;
    }
    // The disc's own times stand in for lengths MusicBrainz does not know.
    const std::vector<std::string> discTimes = readDiscTimes(device).times;
    MusicBrainzClient client(
        chooseMusicBrainzServer(std::getenv(kMusicBrainzServerVariable), settings.readMusicBrainzServer()));
    client.setTimings(timings);
    // The answer comes through the application's own event loop, which runs until it has.
    LookupOutcome outcome;
    bool answered = false;
    QObject::connect(&client, &MusicBrainzClient::finished, [&](const LookupOutcome& o) {
        outcome = o;
        answered = true;
        QCoreApplication::exit(0);
    });
    client.lookUpDisc(reading.identity);
    if (!answered)
        QCoreApplication::exec();
    if (!outcome.ok()) {
        err << "discora: " << outcome.message << "\n";
        return kExitFailure;
    }
    if (outcome.similar)
        err << "discora: the disc ID " << reading.identity.discId
            << " is not in MusicBrainz; these releases hold discs with a similar table of contents.\n";
    for (const Release& release : outcome.releases) {
        out << releaseLine(release) << '\n';
        if (const ReleaseMedium* medium =
                chooseMedium(release, reading.identity.discId, reading.identity.trackCount))
            for (const std::string& line : trackLines(*medium, discTimes))
                out << line << '\n';
    }
    out.flush();
    return out ? kExitSuccess : kExitFailure;
}

} // namespace discora
