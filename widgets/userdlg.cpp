#include "widgets/userdlg.h"

#include "platform/sound.h"
#include "widgets/glyphbutton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <functional>
#include <vector>

namespace {

// The built window: closes only through its buttons unless it has a cancel button.
class UserDlgWindow : public QDialog {
public:
    UserDlgWindow() : QDialog(nullptr) {}
    bool closable = false;
    bool byButton = false;
    std::function<void()> onShown;

protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        if (onShown)
            onShown();
    }
    void closeEvent(QCloseEvent* event) override {
        if (byButton || closable)
            QDialog::closeEvent(event);
        else
            event->ignore();
    }
    void reject() override {
        if (byButton || closable)
            QDialog::reject();
    }
};

QString upperWithoutAmpersands(QString s) {
    return s.remove(u'&').toUpper();
}

QString iconName(TDefaultIcons icon) {
    switch (icon) {
    case icWarning:
        return QStringLiteral("ICOWARNING");
    case icError:
        return QStringLiteral("ICOERROR");
    case icInformation:
        return QStringLiteral("ICOINFORMATION");
    case icConfirmation:
        return QStringLiteral("ICOCONFIRMATION");
    default:
        return {};
    }
}

void playSound(TWAV wav, const QString& custom) {
    switch (wav) {
    case wavNone:
        return;
    case wavFile:
        return soundPlayer().play(SoundKind::File, custom.toLocal8Bit().toStdString());
    case wavAsterisk:
        return soundPlayer().play(SoundKind::Asterisk);
    case wavExclamation:
        return soundPlayer().play(SoundKind::Exclamation);
    case wavQuestion:
        return soundPlayer().play(SoundKind::Question);
    case wavDefault:
        return soundPlayer().play(SoundKind::Default);
    case wavResource:
        return soundPlayer().play(SoundKind::Resource, custom.toStdString());
    }
}

} // namespace

TUserDlg::TUserDlg(QObject* owner) : QObject(owner) {
    BackColor = QApplication::palette().color(QPalette::Button);
}

void TUserDlg::setButtons(const QStringList& buttons) {
    buttons_ = buttons;
    for (int i = 0; i < buttons_.size(); ++i) {
        const QString c = upperWithoutAmpersands(buttons_.at(i));
        if (c == QStringLiteral("OK") && Default < 0)
            Default = i;
        if ((c == QStringLiteral("CANCEL") || c == QStringLiteral("ABORT")) && Cancel < 0)
            Cancel = i;
    }
}

QStringList TUserDlg::filledMessage() const {
    QStringList lines = Message;
    for (QString& line : lines) {
        for (const QString& param : Params) {
            const qsizetype eq = param.indexOf(u'=');
            const QString name = eq < 0 ? param : param.left(eq);
            const QString value = eq < 0 ? QString() : param.mid(eq + 1);
            if (name.isEmpty())
                continue;
            // One pass from left to right: a value holding its own placeholder is not
            // searched again, so the replacement always ends.
            line.replace(u':' + name, value, Qt::CaseInsensitive);
        }
    }
    return lines;
}

int TUserDlg::Execute() {
    UserDlgWindow window;
    window.setObjectName(QStringLiteral("UserDlg"));
    window.setFont(Font);
    window.setWindowTitle(Title);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, BackColor);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    window.resize(200, 40);

    auto* label = new QLabel(&window);
    label->setObjectName(QStringLiteral("message"));
    label->move(8, 8);
    label->setTextFormat(Qt::PlainText);

    auto* image = new QLabel(&window);
    image->setObjectName(QStringLiteral("icon"));
    int imageHeight = 1;
    if (Icon == icNone) {
        image->resize(1, 1);
        image->hide();
    } else {
        const QPixmap picture = Icon == icCustom ? customIcon_ : loadPicture(iconName(Icon));
        image->setPixmap(picture);
        image->setGeometry(10, 10, picture.width(), picture.height());
        imageHeight = picture.height();
        label->move(10 + picture.width() + 10, 8);
    }

    const QStringList lines = filledMessage();
    label->setText(lines.join(u'\n'));
    const QFontMetrics fm(window.font());
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    int textHeight = int(lines.size()) * fm.height();
    int width = window.width();
    int height = window.height();
    if (widest > 0)
        width = widest + label->x() + 18;
    label->resize(widest, textHeight);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int limit = screen ? screen->geometry().width() * 6 / 10 : width;
    if (width > limit) {
        const int labelWidth = widest - (width - limit);
        label->setWordWrap(true);
        textHeight = label->heightForWidth(labelWidth);
        label->resize(labelWidth, textHeight);
        width = limit;
    }
    if (textHeight > 0)
        height = std::max(textHeight, imageHeight) + 40;

    while (!buttons_.isEmpty() && buttons_.last().isEmpty())
        buttons_.removeLast();
    if (buttons_.isEmpty())
        buttons_.append(QStringLiteral("OK"));

    // Buttons grow with a larger font, so that their captions keep clear of the frame.
    const int buttonHeight = std::max(25, fm.height() + 10);
    std::vector<TGlyphButton*> buttons;
    int widestButton = buttonsMinWidth_;
    for (int i = 0; i < buttons_.size(); ++i) {
        auto* button = new TGlyphButton(&window);
        button->setObjectName(QStringLiteral("btn") + QString::number(i));
        button->setCursor(ButtonsCursor);
        button->setText(buttons_.at(i));
        if (ButtonsShowGlyph)
            button->setGlyphKind(glyphForCaption(buttons_.at(i)));
        button->setAutoDefault(true);
        button->setDefault(i == Default);
        const int w = fm.horizontalAdvance(buttons_.at(i)) + button->GlyphWidth() + 16;
        button->setGeometry(0, height, w, buttonHeight);
        widestButton = std::max(widestButton, w);
        QObject::connect(button, &QPushButton::clicked, &window, [this, button, &window] {
            result_ = button->objectName().mid(3, 5).toInt();
            window.byButton = true;
            window.accept();
        });
        buttons.push_back(button);
    }
    int x = 8;
    for (TGlyphButton* button : buttons) {
        const int w = ButtonsSameWidth ? widestButton : std::max(buttonsMinWidth_, button->width());
        button->setGeometry(x, button->y(), w, buttonHeight);
        x += w + 5;
    }
    if (!buttons.empty()) {
        height += 35 + buttonHeight;
        x += 8;
        if (x > width) {
            width = x;
        } else {
            const int shift = (width - x) / 2;
            for (TGlyphButton* button : buttons)
                button->move(button->x() + shift, button->y());
        }
    }

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::MSWindowsFixedSizeDialogHint;
    if (Cancel >= 0 && Cancel < int(buttons.size())) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        window.closable = true;
        result_ = Cancel;
    }
    window.setWindowFlags(flags);
    window.setFixedSize(width, height);
    if (screen) {
        const QRect s = screen->geometry();
        window.move(s.x() + (s.width() - width) / 2, s.y() + (s.height() - height) / 2);
    }
    window.onShown = [this, &buttons] {
        if (Default >= 0 && Default < int(buttons.size()))
            buttons[size_t(Default)]->setFocus();
        playSound(WAV, CustomWAV);
    };
    window.setModal(true);
    Q_EMIT windowBuilt(&window);
    window.exec();
    return result_;
}
