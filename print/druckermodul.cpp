#include "print/druckermodul.h"

#include "print/drucker.h"

#include <QCoreApplication>
#include <QLibrary>
#include <memory>

namespace {

std::unique_ptr<Zeichenflaeche>& drucker() {
    static std::unique_ptr<Zeichenflaeche> d;
    return d;
}

QLibrary* modul() {
    static QLibrary* geladen = [] {
        // Beside the program (the build), where the package puts it, then the build folder.
        const QString programm = QCoreApplication::applicationDirPath();
        for (const QString& ort : {programm, programm + QStringLiteral("/" GESAMT_MODULE_FROM_BIN),
                                   QStringLiteral(GESAMT_BUILD_DIR)}) {
            auto* m = new QLibrary(ort + QStringLiteral("/gesamt-drucker.so"));
            if (m->load())
                return m;
            delete m;
        }
        return static_cast<QLibrary*>(nullptr);
    }();
    return geladen;
}

} // namespace

void* DruckermodulFunktion(const char* name) {
    QLibrary* m = modul();
    return m ? reinterpret_cast<void*>(m->resolve(name)) : nullptr;
}

void DruckerUebernehmen(Zeichenflaeche* flaeche) {
    drucker().reset(flaeche);
    DruckerInitialisieren(flaeche);
}

void StandarddruckerLaden() {
    using Fabrik = Zeichenflaeche* (*)();
    const auto fabrik = reinterpret_cast<Fabrik>(DruckermodulFunktion("gesamt_standarddrucker"));
    DruckerUebernehmen(fabrik ? fabrik() : nullptr);
}

bool PdfDruckerLaden(const std::string& pfad) {
    using Fabrik = Zeichenflaeche* (*)(const char*);
    const auto fabrik = reinterpret_cast<Fabrik>(DruckermodulFunktion("gesamt_pdfdatei"));
    DruckerUebernehmen(fabrik ? fabrik(pfad.c_str()) : nullptr);
    return fabrik != nullptr;
}
