#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TempEnv::TempEnv()
    : oldHome_(qgetenv("HOME")), oldXdg_(qgetenv("XDG_CONFIG_HOME")),
      hadXdg_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), oldCwd_(QDir::currentPath()) {
    EXPECT_TRUE(dir_.isValid());
    qputenv("HOME", dir_.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    QDir::setCurrent(dir_.path());
}

TempEnv::~TempEnv() {
    QDir::setCurrent(oldCwd_);
    qputenv("HOME", oldHome_);
    if (hadXdg_)
        qputenv("XDG_CONFIG_HOME", oldXdg_);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

std::string readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    const QByteArray data = f.readAll();
    return std::string(data.constData(), size_t(data.size()));
}

void writeBytes(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}
