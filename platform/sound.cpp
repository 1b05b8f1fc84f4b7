#include "platform/sound.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QTemporaryDir>
#include <canberra.h>
#include <memory>

namespace {

// Without a sound server or device the sound library only complains on stderr.
bool haveSoundOutput() {
    if (qEnvironmentVariableIsSet("PULSE_SERVER"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && (QFileInfo::exists(runtime + QStringLiteral("/pulse/native")) ||
                               QFileInfo::exists(runtime + QStringLiteral("/pipewire-0"))))
        return true;
    const QDir snd(QStringLiteral("/dev/snd"));
    return !snd.entryList({QStringLiteral("pcm*")}, QDir::System).isEmpty();
}

// The sound library is loaded at the first sound, not at start-up: linked, it and what it
// pulls in would be loaded before the window shows.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_play) play = nullptr;

    bool load() {
        QLibrary library(QStringLiteral("canberra"), 0);
        if (!library.load())
            return false;
        create = reinterpret_cast<decltype(create)>(library.resolve("ca_context_create"));
        destroy = reinterpret_cast<decltype(destroy)>(library.resolve("ca_context_destroy"));
        play = reinterpret_cast<decltype(play)>(library.resolve("ca_context_play"));
        return create && destroy && play;
    }
};

class CanberraPlayer final : public SoundPlayer {
public:
    CanberraPlayer() {
        if (!haveSoundOutput() || !ca_.load() || ca_.create(&context_) != CA_SUCCESS)
            context_ = nullptr;
    }
    ~CanberraPlayer() override {
        if (context_)
            ca_.destroy(context_);
    }

    void play(SoundKind kind, const std::string& name) override {
        if (!context_)
            return;
        switch (kind) {
        case SoundKind::Asterisk:
            return event("dialog-information");
        case SoundKind::Exclamation:
            return event("dialog-warning");
        case SoundKind::Question:
            return event("dialog-question");
        case SoundKind::Default:
            return event("bell");
        case SoundKind::File:
            if (QFileInfo(QString::fromLocal8Bit(name.c_str())).isFile())
                file(name);
            return;
        case SoundKind::Resource:
            return resource(name);
        }
    }

private:
    // Errors (no device, no sound theme) are silence by design.
    void event(const char* id) { ca_.play(context_, 0, CA_PROP_EVENT_ID, id, nullptr); }
    void file(const std::string& path) {
        ca_.play(context_, 0, CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr);
    }
    // libcanberra plays files only, so the resource is copied out once.
    void resource(const std::string& name) {
        const QString res = QStringLiteral(":/sounds/") + QString::fromLatin1(name.c_str());
        if (!QFile::exists(res))
            return;
        if (!tempDir_)
            tempDir_ = std::make_unique<QTemporaryDir>();
        const QString target = tempDir_->filePath(QString::fromLatin1(name.c_str()));
        if (!QFile::exists(target) && !QFile::copy(res, target))
            return;
        file(target.toStdString());
    }

    Canberra ca_;
    ca_context* context_ = nullptr;
    std::unique_ptr<QTemporaryDir> tempDir_;
};

SoundPlayer* overridePlayer = nullptr;

} // namespace

SoundPlayer& soundPlayer() {
    if (overridePlayer)
        return *overridePlayer;
    static CanberraPlayer player;
    return player;
}

void setSoundPlayer(SoundPlayer* player) {
    overridePlayer = player;
}
