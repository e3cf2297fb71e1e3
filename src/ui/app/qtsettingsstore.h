// The preferences in a QSettings INI file at $XDG_CONFIG_HOME/Quorvane/Discora.conf.
#pragma once

#include "core/settings/settingsstore.h"

#include <QSettings>

#include <memory>

namespace discora {

class QtSettingsStore : public SettingsStore
{
public:
    // The user's settings file.
    QtSettingsStore();
    // A settings file at an explicit path (tests).
    explicit QtSettingsStore(const QString& fileName);

    std::optional<int> readInt(const std::string& section, const std::string& key) const override;
    std::optional<std::string> readString(const std::string& section, const std::string& key) const override;
    void writeInt(const std::string& section, const std::string& key, int value) override;
    void writeString(const std::string& section, const std::string& key, const std::string& value) override;

    void sync() { m_settings->sync(); }
    QString fileName() const { return m_settings->fileName(); }
    QSettings& settings() { return *m_settings; }

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace discora
