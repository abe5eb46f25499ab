// Text from song files, file names and the network is bytes: shown as UTF-8, or as Latin-1 where
// it is not valid UTF-8, so no byte is lost from sight.
#pragma once

#include <QString>

#include <string_view>

inline QString ShownText(std::string_view bytes)
{
    const QByteArray raw =
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text = QString::fromUtf8(raw);
    if (text.contains(QChar::ReplacementCharacter))
        text = QString::fromLatin1(raw);
    return text;
}
