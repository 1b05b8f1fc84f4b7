#include "print/druckermodul.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#ifdef GESAMT_MODULE_HALTEN
// Sanitizer runs only. LeakSanitizer reports what is still allocated at exit, when Qt has
// already unloaded its plugins: a stack through an unloaded module has no names, so no
// suppression can tell a plugin's own allocation from the program's. Here modules stay loaded
// and every stack keeps its names.
extern "C" int dlclose(void*) {
    return 0;
}
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The same C library locale on every machine, whatever the caller's.
    qputenv("LC_ALL", "C.UTF-8");
    // Keyboard flows run on xcb under Xvfb; everything else needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    druckermodul::testing::ortSetzen(GESAMT_DRUCKERMODUL);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    return RUN_ALL_TESTS();
}
