#pragma once
// A message window built from properties: icon, text, a row of glyph buttons, a sound.
// Execute() shows it modally and returns the index of the button pressed.

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QStringList>

class QDialog;

enum TWAV { wavNone, wavFile, wavAsterisk, wavExclamation, wavQuestion, wavDefault, wavResource };
enum TDefaultIcons { icCustom, icWarning, icError, icInformation, icConfirmation, icNone };

class TUserDlg : public QObject {
    Q_OBJECT
public:
    explicit TUserDlg(QObject* owner = nullptr);

    QString About;   // design-time text only
    QString Preview; // design-time text only
    QStringList Message;
    QStringList Params; // "name=value"
    QString Title;
    TWAV WAV = wavNone;
    QString CustomWAV;
    QFont Font;
    TDefaultIcons Icon = icNone;
    QColor BackColor;
    int Default = -1;
    int Cancel = -1;
    bool ButtonsSameWidth = true;
    bool ButtonsShowGlyph = false;
    Qt::CursorShape ButtonsCursor = Qt::ArrowCursor;

    const QStringList& Buttons() const { return buttons_; }
    // Setting the whole list derives Default ("OK") and Cancel ("CANCEL"/"ABORT").
    void setButtons(const QStringList& buttons);
    // Changing lines in place derives nothing.
    QStringList& ButtonLines() { return buttons_; }

    int ButtonsMinWidth() const { return buttonsMinWidth_; }
    void setButtonsMinWidth(int width) { buttonsMinWidth_ = width < 20 ? 20 : width; }

    const QPixmap& CustomIcon() const { return customIcon_; }
    void setCustomIcon(const QPixmap& icon) {
        customIcon_ = icon;
        Icon = icCustom;
    }

    int Execute();
    int resultIndex() const { return result_; }

    // The message lines with their placeholders filled in.
    QStringList filledMessage() const;

Q_SIGNALS:
    // The window has been built and is about to be shown; tests look at it here.
    void windowBuilt(QDialog* window);

private:
    QStringList buttons_{QStringLiteral("&OK"), QStringLiteral("&Cancel")};
    int buttonsMinWidth_ = 75;
    QPixmap customIcon_;
    int result_ = 0;
};
