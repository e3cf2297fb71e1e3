#include "ui/app/qtsettingsstore.h"

#include "ui/support/qttext.h"

namespace discora {

namespace {

QString keyOf(const std::string& section, const std::string& key)
{
    return toQt(section) + QLatin1Char('/') + toQt(key);
}

} // namespace

QtSettingsStore::QtSettingsStore()
    // The native format on Linux is an INI file named Discora.conf under $XDG_CONFIG_HOME/Quorvane.
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Quorvane"), QStringLiteral("Discora")))
{}

QtSettingsStore::QtSettingsStore(const QString& fileName)
    : m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
{}

std::optional<int> QtSettingsStore::readInt(const std::string& section, const std::string& key) const
{
    const QVariant value = m_settings->value(keyOf(section, key));
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

std::optional<std::string> QtSettingsStore::readString(const std::string& section,
                                                       const std::string& key) const
{
    const QVariant value = m_settings->value(keyOf(section, key));
    if (!value.isValid() || !value.canConvert<QString>())
        return std::nullopt;
    return toStd(value.toString());
}

void QtSettingsStore::writeInt(const std::string& section, const std::string& key, int value)
{
    m_settings->setValue(keyOf(section, key), value);
}

void QtSettingsStore::writeString(const std::string& section, const std::string& key,
                                  const std::string& value)
{
    m_settings->setValue(keyOf(section, key), toQt(value));
}

} // namespace discora
