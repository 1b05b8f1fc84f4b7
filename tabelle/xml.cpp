#include "tabelle/xml.h"

#include "tabelle/intern.h"

namespace tabelle::intern {

Xml::Xml(const QByteArray& bytes, const QString& teil) : r(bytes), teil_(teil) {
    while (!r.isStartElement()) {
        if (!weiter())
            beschaedigt(teil_);
        if (r.tokenType() == QXmlStreamReader::DTD)
            scheitern(QStringLiteral("„%1“ enthält eine Dokumenttypdefinition (DTD)").arg(teil_));
    }
}

bool Xml::weiter() {
    r.readNext();
    if (r.hasError())
        beschaedigt(QStringLiteral("%1, Zeile %2").arg(teil_).arg(r.lineNumber()));
    return !r.atEnd();
}

QStringView Xml::attribut(QStringView name) const {
    // Attributes of the formats' own elements come without a prefix or with the element's
    // namespace; the local name is enough to tell them apart.
    // Const, or the loop would copy the reader's attributes at every call.
    const QXmlStreamAttributes attribute = r.attributes();
    for (const QXmlStreamAttribute& a : attribute)
        if (a.name() == name)
            return a.value();
    return {};
}

void Xml::anhaengen(QString& zelle, QStringView teil) {
    if (zelle.size() + teil.size() > kMaxZeichen)
        scheitern(QStringLiteral("eine Zelle ist länger als %1 Zeichen").arg(kMaxZeichen));
    zelle += teil;
}

QByteArray xmlTeil(const std::function<void(QXmlStreamWriter&)>& inhalt, qsizetype zeichen) {
    // Into a text and encoded once: a writer on bytes costs a device call for every piece, and
    // a text that grows piece by piece is copied again and again.
    QString text;
    text.reserve(zeichen);
    QXmlStreamWriter w(&text);
    inhalt(w);
    w.writeEndDocument();
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)" + text.toUtf8();
}

} // namespace tabelle::intern
