#include "tests/testsupport/modal.h"
#include "widgets/glyphbutton.h"
#include "widgets/userdlg.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Seen {
    QSize size;
    std::vector<QRect> buttons;
    std::vector<TGlyphKind> glyphs;
    QRect label;
    Qt::WindowFlags flags;
    QString focused;
};

// Executes the dialog, looks at its window once shown, and leaves it through `button`
// (or through close() when button is empty).
Seen run(TUserDlg& dlg, const QString& button, int* result = nullptr) {
    Seen seen;
    onNextModal([&](QWidget* w) {
        seen.size = w->size();
        for (int i = 0;; ++i) {
            auto* b = w->findChild<TGlyphButton*>(QStringLiteral("btn%1").arg(i));
            if (!b)
                break;
            seen.buttons.push_back(b->geometry());
            seen.glyphs.push_back(b->GlyphKind());
        }
        seen.label = w->findChild<QLabel*>(QStringLiteral("message"))->geometry();
        seen.flags = w->windowFlags();
        seen.focused = w->focusWidget() ? w->focusWidget()->objectName() : QString();
        if (button.isEmpty()) {
            w->close();
            if (w->isVisible()) // no close box: only a button ends it
                clickButton(w, QStringLiteral("btn0"));
        } else {
            clickButton(w, button);
        }
    });
    const int r = dlg.Execute();
    if (result)
        *result = r;
    return seen;
}

} // namespace

TEST(TUserDlg, DefaultsAndButtonDerivation) {
    TUserDlg dlg;
    EXPECT_EQ(dlg.Buttons(), QStringList({QStringLiteral("&OK"), QStringLiteral("&Cancel")}));
    EXPECT_EQ(dlg.Default, -1);
    EXPECT_EQ(dlg.Cancel, -1);
    EXPECT_EQ(dlg.ButtonsMinWidth(), 75);
    dlg.setButtonsMinWidth(5);
    EXPECT_EQ(dlg.ButtonsMinWidth(), 20);
    dlg.setButtons({QStringLiteral("&Retry"), QStringLiteral("O&K"), QStringLiteral("&Abort"),
                    QStringLiteral("ok"), QStringLiteral("&Cancel")});
    EXPECT_EQ(dlg.Default, 1);
    EXPECT_EQ(dlg.Cancel, 2);
    dlg.ButtonLines().clear(); // in place: nothing derived
    EXPECT_EQ(dlg.Default, 1);
    dlg.setCustomIcon(QPixmap(8, 8));
    EXPECT_EQ(dlg.Icon, icCustom);
}

TEST(TUserDlg, ParamsFillPlaceholdersWithoutRegardToCaseAndAlwaysEnd) {
    TUserDlg dlg;
    dlg.Message = {QStringLiteral("Hallo :name, :NAME und :Name!"), QStringLiteral(":x bleibt :x")};
    dlg.Params = {QStringLiteral("NAME=Anna"), QStringLiteral("x=:x:x")};
    EXPECT_EQ(dlg.filledMessage(), QStringList({QStringLiteral("Hallo Anna, Anna und Anna!"),
                                                QStringLiteral(":x:x bleibt :x:x")}));
}

TEST(TUserDlg, TwoShortButtonsAreMinWidthAndCentred) {
    TUserDlg dlg;
    dlg.setButtons({QStringLiteral("&Ja"), QStringLiteral("&Nein")});
    dlg.setButtonsMinWidth(79);
    dlg.Message = {QStringLiteral("Eine Frage, die breiter ist als die beiden Knöpfe zusammen")};
    const Seen s = run(dlg, QStringLiteral("btn0"));
    ASSERT_EQ(s.buttons.size(), 2u);
    EXPECT_EQ(s.buttons[0].width(), 79);
    EXPECT_EQ(s.buttons[1].width(), 79);
    // Laid out at 8 and 92, then moved right by half the spare width.
    const int shift = (s.size.width() - (8 + 79 + 5 + 79 + 5 + 8)) / 2;
    EXPECT_GT(shift, 0);
    EXPECT_EQ(s.buttons[0].x(), 8 + shift);
    EXPECT_EQ(s.buttons[1].x(), 92 + shift);
    EXPECT_EQ(s.buttons[0].height(), 25);
    EXPECT_EQ(s.label.topLeft(), QPoint(8, 8)); // no icon
}

TEST(TUserDlg, IconMovesTheTextAndSetsTheHeight) {
    TUserDlg dlg;
    dlg.Icon = icInformation;
    dlg.Message = {QStringLiteral("Eine Zeile")};
    const Seen s = run(dlg, QStringLiteral("btn0"));
    EXPECT_EQ(s.label.x(), 52);
    // One line is lower than the 32-pixel icon: 32 + 40, then the button row + 60.
    EXPECT_EQ(s.buttons[0].y(), 72);
    EXPECT_EQ(s.size.height(), 132);
}

TEST(TUserDlg, WideMessageWrapsAtSixTenthsOfTheScreen) {
    TUserDlg dlg;
    QString line;
    for (int i = 0; i < 60; ++i)
        line += QStringLiteral("Wort%1 ").arg(i);
    dlg.Message = {line};
    const Seen s = run(dlg, QStringLiteral("btn0"));
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    EXPECT_EQ(s.size.width(), screenWidth * 6 / 10);
    EXPECT_GT(s.label.height(), 2 * QFontMetrics(dlg.Font).height()); // wrapped, grown
    EXPECT_EQ(s.size.height(), s.label.height() + 40 + 60);
}

TEST(TUserDlg, CloseBoxOnlyWithAValidCancel) {
    TUserDlg withCancel;
    withCancel.setButtons({QStringLiteral("&Ja"), QStringLiteral("&Nein")});
    withCancel.Cancel = 1;
    int result = -5;
    Seen s = run(withCancel, QString(), &result);
    EXPECT_TRUE(s.flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(result, 1);

    TUserDlg without;
    without.setButtons({QStringLiteral("&Ja"), QStringLiteral("&Nein")});
    s = run(without, QString(), &result);
    EXPECT_FALSE(s.flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(result, 0); // close() was refused; btn0 ended it
}

TEST(TUserDlg, DefaultButtonTakesTheFocusAndEnter) {
    TUserDlg dlg;
    dlg.setButtons({QStringLiteral("&Ja"), QStringLiteral("&Nein")});
    dlg.Default = 1;
    QString focused;
    onNextModal([&](QWidget* w) {
        focused = w->focusWidget() ? w->focusWidget()->objectName() : QString();
        QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(dlg.Execute(), 1);
    EXPECT_EQ(focused, QStringLiteral("btn1"));
}

TEST(TUserDlg, TrailingEmptyCaptionsGoAndOkStandsIn) {
    TUserDlg dlg;
    dlg.ButtonLines() = {QStringLiteral("&Ja"), QString(), QString()};
    Seen s = run(dlg, QStringLiteral("btn0"));
    EXPECT_EQ(s.buttons.size(), 1u);
    EXPECT_EQ(dlg.Buttons(), QStringList({QStringLiteral("&Ja")}));
    dlg.ButtonLines() = {QString()};
    s = run(dlg, QStringLiteral("btn0"));
    EXPECT_EQ(dlg.Buttons(), QStringList({QStringLiteral("OK")}));
}

TEST(TUserDlg, GlyphsFollowWholeCaptions) {
    EXPECT_EQ(glyphForCaption(QStringLiteral("S&chließen")), glClose);
    EXPECT_EQ(glyphForCaption(QStringLiteral("&Ja")), glYes);
    EXPECT_EQ(glyphForCaption(QStringLiteral("Ab&brechen")), glCancel);
    EXPECT_EQ(glyphForCaption(QStringLiteral("&OK")), glOK);
    EXPECT_EQ(glyphForCaption(QStringLiteral("&Jawohl")), glNone);
    EXPECT_EQ(glyphForCaption(QStringLiteral("OK!")), glNone);

    TUserDlg dlg;
    dlg.ButtonsShowGlyph = true;
    dlg.setButtons({QStringLiteral("S&chließen"), QStringLiteral("Sonst")});
    const Seen s = run(dlg, QStringLiteral("btn0"));
    EXPECT_EQ(s.glyphs[0], glClose);
    EXPECT_EQ(s.glyphs[1], glNone);
    // The glyph widens the first button by its own width.
    TGlyphButton probe;
    probe.setGlyphKind(glClose);
    EXPECT_EQ(probe.GlyphWidth(), 18);
}

TEST(TUserDlg, SoundPlaysWhenShown) {
    RecordingSoundPlayer sounds;
    TUserDlg dlg;
    dlg.WAV = wavQuestion;
    run(dlg, QStringLiteral("btn0"));
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_EQ(sounds.played[0].first, SoundKind::Question);
}
