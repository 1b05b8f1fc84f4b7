#include "platform/cp1252.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <algorithm>
#include <bitset>

namespace cp1252 {

namespace {
constexpr auto kName = "windows-1252";
}

QString toQString(std::string_view bytes) {
    thread_local QStringDecoder decoder(kName, QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

namespace {
// Looking the code page up by name costs more than encoding a name, so it is done once: the
// characters it holds, as its own decoder gives them, and one encoder per thread.
const std::bitset<0x10000>& held() {
    static const std::bitset<0x10000> set = [] {
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        std::bitset<0x10000> s;
        QStringDecoder decoder(kName);
        for (const QChar c : QString(decoder.decode(all)))
            s.set(c.unicode());
        s.reset(0xFFFD); // what the decoder gives a byte it lacks, not a character it holds
        return s;
    }();
    return set;
}
} // namespace

std::string fromQString(const QString& text) {
    thread_local QStringEncoder encoder(kName, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), size_t(bytes.size()));
}

bool canHold(const QString& text) {
    const std::bitset<0x10000>& set = held();
    return std::all_of(text.begin(), text.end(), [&set](QChar c) { return set.test(c.unicode()); });
}

bool isCellText(const QString& text) {
    for (const QChar c : text) {
        // Ctrl+Z ends the file for every reader: a name holding it would cut the list there.
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == u'\x1A')
            return false;
    }
    return canHold(text);
}

namespace {

// Latin letters without a decomposition to a letter the code page holds.
char16_t strokeBase(char32_t c) {
    switch (c) {
    case U'Ł':
        return u'L';
    case U'ł':
        return u'l';
    case U'ı':
        return u'i';
    case U'Đ':
        return u'D';
    case U'đ':
        return u'd';
    case U'Ħ':
        return u'H';
    case U'ħ':
        return u'h';
    case U'Ŧ':
        return u'T';
    case U'ŧ':
        return u't';
    case U'Ŋ':
        return u'N';
    case U'ŋ':
        return u'n';
    case U'ĸ':
        return u'k';
    case U'ȷ':
        return u'j';
    case U'Ɨ':
        return u'I';
    case U'ɨ':
        return u'i';
    case U'ƀ':
        return u'b';
    case U'Ƀ':
        return u'B';
    default:
        return 0;
    }
}

// The letter(s) a Latin letter is taken as, or nothing.
QString baseLetter(char32_t c) {
    if (c < 0x100 || c > 0x24F) // Latin-1 is held; beyond Latin Extended-B there is no base
        return {};
    if (const char16_t base = strokeBase(c))
        return QString(QChar(base));
    QString decomposed;
    for (const QChar d : QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD))
        if (!d.isMark())
            decomposed += d;
    if (decomposed.isEmpty() || !canHold(decomposed))
        return {};
    for (const QChar d : decomposed)
        if (!d.isLetter())
            return {};
    return decomposed;
}

// Invisible in a name and read as garbage by whoever reads the file next.
bool steuerzeichen(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

QString shown(char32_t c) {
    if (steuerzeichen(c) && c != U'\t' && c != U'\r' && c != U'\n' && c != U'\x1A')
        return QStringLiteral("Steuerzeichen");
    switch (c) {
    case U'\t':
        return QStringLiteral("Tabulator");
    case U'\r':
    case U'\n':
        return QStringLiteral("Zeilenumbruch");
    case U'\x1A':
        return QStringLiteral("Dateiende-Zeichen");
    default:
        return QStringLiteral(u"„") + QString::fromUcs4(&c, 1) + QStringLiteral(u"“");
    }
}

} // namespace

QString cellText(const QString& input, QString* hint) {
    if (hint)
        hint->clear();
    if (isCellText(input) && std::none_of(input.begin(), input.end(),
                                          [](QChar c) { return steuerzeichen(c.unicode()); }))
        return input;
    // A line copied with its line end loses it; a separator inside would join two fields into
    // one name: such a text is refused whole.
    auto trenner = [](QChar c) { return c == u'\t' || c == u'\r' || c == u'\n' || c == u'\x1A'; };
    QStringView text(input);
    while (!text.isEmpty() && trenner(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && trenner(text.back()))
        text.chop(1);
    if (std::any_of(text.begin(), text.end(), trenner)) {
        if (hint)
            *hint = QStringLiteral(u"Der Text wurde nicht übernommen: eine Zelle kann keinen "
                                   u"Tabulator und keinen Zeilenumbruch aufnehmen");
        return QString();
    }
    QString out = QStringLiteral(""); // empty, not null: null means refused
    QStringList taken, left;
    for (const char32_t c : text.toString().normalized(QString::NormalizationForm_C).toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (steuerzeichen(c)) {
            left.append(shown(c));
        } else if (canHold(one)) {
            out += one;
        } else if (const QString base = baseLetter(c); !base.isEmpty()) {
            out += base;
            taken.append(shown(c) + QStringLiteral(u" als „") + base + QStringLiteral(u"“"));
        } else {
            left.append(shown(c));
        }
    }
    if (hint) {
        taken.removeDuplicates();
        left.removeDuplicates();
        QStringList parts;
        if (!taken.isEmpty()) {
            taken.first().replace(QStringLiteral(" als "), QStringLiteral(" wurde als "));
            parts.append(taken.join(QStringLiteral(", ")) + QStringLiteral(u" übernommen"));
        }
        if (!left.isEmpty())
            parts.append(left.join(QStringLiteral(", ")) +
                         (left.size() == 1
                              ? QStringLiteral(" wurde weggelassen: die Gesamt-Datei kann es nicht "
                                               "speichern")
                              : QStringLiteral(" wurden weggelassen: die Gesamt-Datei kann sie "
                                               "nicht speichern")));
        *hint = parts.join(QStringLiteral("; "));
    }
    return out;
}

} // namespace cp1252
