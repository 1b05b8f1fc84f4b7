#pragma once
// A part of a container as XML, refusing a DTD: a table never needs one, and entity
// declarations are how a small file grows into a huge text. And a part written.

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <functional>

namespace tabelle::intern {

class Xml {
public:
    // Reads up to the root element; throws Fehler on a DTD or broken XML.
    Xml(const QByteArray& bytes, const QString& teil);

    // The next token, false at the end of the part; throws Fehler when the XML is broken.
    bool weiter();
    bool beginnt(QStringView name) const { return r.isStartElement() && r.name() == name; }
    bool endet(QStringView name) const { return r.isEndElement() && r.name() == name; }
    QStringView attribut(QStringView name) const;
    // Adds to a cell's text, refusing a cell longer than kMaxZeichen.
    static void anhaengen(QString& zelle, QStringView teil);

    QXmlStreamReader r;

private:
    QString teil_;
};

// A part written as UTF-8 XML, its content by `inhalt`; `zeichen`: about how long it will be.
QByteArray xmlTeil(const std::function<void(QXmlStreamWriter&)>& inhalt, qsizetype zeichen = 1024);

} // namespace tabelle::intern
