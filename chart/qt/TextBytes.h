// The program's text is bytes; Qt's is Unicode. Song text is UTF-8 on Linux, and a text that is
// not valid UTF-8 (an old file in a single-byte code page) is read as Latin-1 rather than lost.
#pragma once

#include <QString>
#include <QStringDecoder>

#include <string_view>

inline QString TextFromBytes(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}
