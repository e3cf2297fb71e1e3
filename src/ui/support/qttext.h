// The one place where the core's UTF-8 texts and file names meet QString.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace discora {

inline QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStd(const QString& text)
{
    return text.toStdString();
}

// File names as the operating system spells them.
std::string toPath(const QString& fileName);
QString fromPath(const std::string& path);

} // namespace discora
