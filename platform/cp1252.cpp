#include "platform/cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace cp1252 {

namespace {
constexpr auto kName = "windows-1252";
}

QString toQString(std::string_view bytes) {
    thread_local QStringDecoder decoder(kName, QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string fromQString(const QString& text) {
    QStringEncoder encoder(kName, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), size_t(bytes.size()));
}

bool canHold(const QString& text) {
    QStringEncoder encoder(kName, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}

bool isCellText(const QString& text) {
    for (const QChar c : text) {
        // Ctrl+Z ends the file for every reader: a name holding it would cut the list there.
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == u'\x1A')
            return false;
    }
    return canHold(text);
}

} // namespace cp1252
