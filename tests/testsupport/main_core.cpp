#include <QCoreApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The same C library locale on every machine, whatever the caller's.
    qputenv("LC_ALL", "C.UTF-8");
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    return RUN_ALL_TESTS();
}
