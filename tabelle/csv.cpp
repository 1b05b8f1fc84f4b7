// CSV, TSV and TXT tables: fields as RFC 4180 has them, with what spreadsheet programs write
// and accept besides (any line end, a "sep=" line, text after a closing quote).

#include "tabelle/intern.h"

#include "platform/cp1252.h"

#include <QStringDecoder>
#include <array>

namespace tabelle::intern {

namespace {

QString dekodieren(const QByteArray& bytes, Kodierung& kodierung) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        scheitern(QStringLiteral("sie ist als Unicode-Text (UTF-16) gespeichert"));
    if (bytes.contains('\0'))
        scheitern(QStringLiteral("sie ist keine Textdatei"));
    if (kodierung != Kodierung::Windows1252) {
        // The decoder drops a byte-order mark at the start.
        QStringDecoder utf8(QStringConverter::Utf8);
        QString text = utf8.decode(bytes);
        if (kodierung == Kodierung::Utf8 || !utf8.hasError()) {
            kodierung = Kodierung::Utf8;
            return text;
        }
    }
    kodierung = Kodierung::Windows1252;
    return cp1252::toQString(std::string_view(bytes.constData(), size_t(bytes.size())));
}

class Leser {
public:
    Leser(QStringView text, QChar trenner) : text_(text), trenner_(trenner) {}

    // The fields of the next record; false after the last.
    bool satz(QStringList& felder) {
        felder.clear();
        const qsizetype n = text_.size();
        if (pos_ >= n)
            return false;
        for (;;) {
            QString feld;
            if (pos_ < n && text_[pos_] == u'"') {
                ++pos_;
                for (;;) {
                    const qsizetype ende = text_.indexOf(u'"', pos_);
                    // A quote that is never closed takes the rest, as spreadsheet programs do.
                    feld += text_.mid(pos_, ende < 0 ? n - pos_ : ende - pos_);
                    pos_ = ende < 0 ? n : ende + 1;
                    if (pos_ >= n || text_[pos_] != u'"')
                        break;
                    feld += u'"';
                    ++pos_;
                }
                if (feld.contains(u'\r'))
                    feld.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                        .replace(u'\r', u'\n');
            }
            qsizetype ende = pos_;
            while (ende < n && text_[ende] != trenner_ && text_[ende] != u'\n' &&
                   text_[ende] != u'\r')
                ++ende;
            feld += text_.mid(pos_, ende - pos_);
            if (feld.size() > kMaxZeichen)
                scheitern(QStringLiteral("eine Zelle ist länger als %1 Zeichen").arg(kMaxZeichen));
            if (felder.size() == kMaxSpalten)
                scheitern(QStringLiteral("sie hat mehr als %1 Spalten").arg(kMaxSpalten));
            felder.append(feld);
            pos_ = ende;
            if (pos_ >= n)
                return true;
            const QChar c = text_[pos_++];
            if (c == trenner_)
                continue;
            if (c == u'\r' && pos_ < n && text_[pos_] == u'\n')
                ++pos_;
            return true;
        }
    }

private:
    QStringView text_;
    QChar trenner_;
    qsizetype pos_ = 0;
};

// The separator that splits the first lines into the same number of fields, and into the most:
// a comma in a name or a decimal number must not win over the semicolon between the fields.
// ';' before TAB before ',' when several do equally well.
QChar trenner(QStringView text) {
    QChar bester = u';';
    qsizetype besteZahl = 0;
    for (const QChar t : std::array{u';', u'\t', u','}) {
        Leser leser(text, t);
        QStringList felder;
        qsizetype erste = 0;
        int gleich = 0;
        for (int i = 0; i < 20 && leser.satz(felder); ++i) {
            if (i == 0)
                erste = felder.size();
            gleich += felder.size() == erste;
        }
        if (erste > 1 && gleich * erste > besteZahl) {
            bester = t;
            besteZahl = gleich * erste;
        }
    }
    return bester;
}

// No spreadsheet program takes a longer line, whatever its separator.
void zeilenPruefen(QStringView text) {
    qsizetype anfang = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\n' && text[i] != u'\r')
            continue;
        if (i - anfang > kMaxZeichen)
            scheitern(QStringLiteral("eine Zeile ist länger als %1 Zeichen").arg(kMaxZeichen));
        anfang = i + 1;
    }
}

} // namespace

Blatt csvLesen(const QByteArray& bytes, Kodierung& kodierung, qint64& budget) {
    const QString text = dekodieren(bytes, kodierung);
    zeilenPruefen(text);
    QStringView rest(text);
    QChar t;
    // Excel writes its separator into a first line of its own when asked to.
    if (rest.startsWith(u"sep=") && rest.size() > 4 &&
        (rest.size() == 5 || rest[5] == u'\r' || rest[5] == u'\n')) {
        t = rest[4];
        rest = rest.mid(5);
        rest = rest.mid(rest.startsWith(u"\r\n") ? 2 : std::min<qsizetype>(rest.size(), 1));
    } else {
        t = trenner(rest);
    }
    Blattbauer bauer(budget);
    Leser leser(rest, t);
    QStringList felder;
    for (qint64 zeile = 0; leser.satz(felder); ++zeile) {
        for (qsizetype i = 0; i < felder.size(); ++i)
            bauer.zelle(i, felder[i]);
        bauer.zeileFertig(zeile);
    }
    return bauer.blatt(QString());
}

} // namespace tabelle::intern
