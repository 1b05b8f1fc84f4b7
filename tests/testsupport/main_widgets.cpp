#include "print/druckermodul.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

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
