#include "print/druckermodul.h"

#include "print/drucker.h"

#include <QCoreApplication>
#include <QLibrary>
#include <memory>

void StandarddruckerLaden() {
    static std::unique_ptr<Zeichenflaeche> drucker;
    using Fabrik = Zeichenflaeche* (*)();
    static Fabrik fabrik = [] {
        // Beside the program (the build), where the package puts it, then the build folder.
        const QString programm = QCoreApplication::applicationDirPath();
        for (const QString& ort : {programm, programm + QStringLiteral("/" GESAMT_MODULE_FROM_BIN),
                                   QStringLiteral(GESAMT_BUILD_DIR)}) {
            QLibrary modul(ort + QStringLiteral("/gesamt-drucker.so"));
            if (auto f = reinterpret_cast<Fabrik>(modul.resolve("gesamt_standarddrucker")))
                return f;
        }
        return Fabrik(nullptr);
    }();
    drucker.reset(fabrik ? fabrik() : nullptr);
    DruckerInitialisieren(drucker.get());
}
