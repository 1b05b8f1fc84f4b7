#pragma once
// Answering real modal dialogs from a test: a timer waits for the next modal window and hands
// it to the test, which looks at it and clicks a named button.

#include "platform/sound.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

// Runs fn once on the next modal widget that is not `except`, polling every 20 ms.
void onNextModal(std::function<void(QWidget*)> fn, QWidget* except = nullptr);
// Clicks the push button of that object name; fails the test when there is none.
void clickButton(QWidget* dialog, const QString& name);
// The message text of a TUserDlg window.
QString dialogText(QWidget* dialog);

// Answers every dialog that opens with the button of that name (btn0 where there is none)
// until the answerer is gone, recording each message text.
class DialogAnswerer {
public:
    explicit DialogAnswerer(QString button = QStringLiteral("btn0"));
    ~DialogAnswerer();
    void setButton(const QString& button) { button_ = button; }
    std::vector<QString> texts;
    std::vector<QString> titles;

private:
    QString button_;
    class QTimer* timer_;
};

class RecordingSoundPlayer : public SoundPlayer {
public:
    RecordingSoundPlayer() { setSoundPlayer(this); }
    ~RecordingSoundPlayer() override { setSoundPlayer(nullptr); }
    void play(SoundKind kind, const std::string& name) override { played.push_back({kind, name}); }
    std::vector<std::pair<SoundKind, std::string>> played;
};

// Types text key by key, also characters QTest's key tables do not know.
void typeText(QWidget* widget, const QString& text);
