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
// Runs fn once on the next modal widget the predicate accepts.
void onModalWhere(std::function<bool(QWidget*)> accept, std::function<void(QWidget*)> fn);
// Runs fn once on the next modal window of that class.
template <typename T> void onModalOf(std::function<void(T*)> fn) {
    onModalWhere([](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
                 [fn](QWidget* w) { fn(qobject_cast<T*>(w)); });
}
// Clicks the push button of that object name; fails the test when there is none.
void clickButton(QWidget* dialog, const QString& name);
// The message text of a TUserDlg window.
QString dialogText(QWidget* dialog);

// Answers every message dialog that opens with the button of that name (btn0 where there is none)
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

// Activates a window and waits until the platform says it is active (shortcuts need it) and the
// keyboard focus is inside it.
void activate(QWidget* window);

// Types text key by key, also characters QTest's key tables do not know.
void typeText(QWidget* widget, const QString& text);
