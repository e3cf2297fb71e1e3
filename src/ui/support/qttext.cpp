#include "ui/support/qttext.h"

#include <QFile>

namespace discora {

std::string toPath(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

QString fromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace discora
