#pragma once
// A private home for one test: HOME, XDG_CONFIG_HOME and the working folder point into a
// fresh temporary folder and are put back afterwards.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <string>

class TempEnv {
public:
    TempEnv();
    ~TempEnv();
    TempEnv(const TempEnv&) = delete;
    TempEnv& operator=(const TempEnv&) = delete;

    QString home() const { return dir_.path(); }
    QString configDir() const { return dir_.path() + QStringLiteral("/.config/kelmar"); }
    QString path(const QString& relative) const { return dir_.path() + u'/' + relative; }

private:
    QTemporaryDir dir_;
    QByteArray oldHome_, oldXdg_;
    bool hadXdg_;
    QString oldCwd_;
};

// Whole-file helpers on bytes.
std::string readBytes(const QString& path);
void writeBytes(const QString& path, const std::string& bytes);
