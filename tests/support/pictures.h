// Pictures for the covers' tests: a plain picture of one colour as an image file's bytes.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <string>

namespace discora::fixture {

inline std::string pictureBytes(int width, int height, QColor color, const char* format = "PNG")
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

} // namespace discora::fixture
