#include "runlog/runlog.h"
#include "support/fileerrors.h"
#include "tests/testsupport/modal.h"
#include "tests/testsupport/tempenv.h"
#include "widgets/glyphbutton.h"
#include "widgets/messages.h"

#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Messages : ::testing::Test {
    TempEnv env;
    RecordingSoundPlayer sounds;
    void SetUp() override {
        LogZuruecksetzen();
        StandardFont = TSchrift{};
        ASSERT_TRUE(LogOeffnen("gesamt.log"));
    }
    void TearDown() override { LogZuruecksetzen(); }
    std::string log() {
        LogSchreiben();
        return readBytes(env.path(QStringLiteral("gesamt.log")));
    }
};

} // namespace

TEST_F(Messages, NoteIsLoggedBeforeItIsShown) {
    std::string logWhileShown;
    QString title, text;
    TGlyphKind glyph = glNone;
    int width = 0;
    onNextModal([&](QWidget* w) {
        logWhileShown = log();
        title = w->windowTitle();
        text = dialogText(w);
        glyph = w->findChild<TGlyphButton*>(QStringLiteral("btn0"))->GlyphKind();
        width = w->findChild<TGlyphButton*>(QStringLiteral("btn0"))->width();
        clickButton(w, QStringLiteral("btn0"));
    });
    EXPECT_TRUE(HinweisMeldung("3 Eintr\xE4ge gespeichert"));
    EXPECT_NE(logWhileShown.find("HINWEIS - 3 Eintr\xE4ge gespeichert\r\n"), std::string::npos);
    EXPECT_EQ(title, QStringLiteral("Hinweis"));
    EXPECT_EQ(text, QStringLiteral(u"3 Einträge gespeichert"));
    EXPECT_EQ(glyph, glOK);
    EXPECT_EQ(width, 79);
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_EQ(sounds.played[0].first, SoundKind::Exclamation);
}

TEST_F(Messages, ErrorIsLoggedAfterItWasClosed) {
    std::string logWhileShown;
    QString title;
    onNextModal([&](QWidget* w) {
        logWhileShown = log();
        title = w->windowTitle();
        clickButton(w, QStringLiteral("btn0"));
    });
    EXPECT_TRUE(FehlerMeldung("Fehler beim Sortieren der Gesamtdatei: x"));
    EXPECT_EQ(logWhileShown.find("FEHLER"), std::string::npos);
    EXPECT_NE(log().find("FEHLER - Fehler beim Sortieren der Gesamtdatei: x\r\n"),
              std::string::npos);
    EXPECT_EQ(title, QStringLiteral("Achtung!"));
}

TEST_F(Messages, QuestionAddsQuestionMarkDefaultsToNoAndLogsNothing) {
    QString text, focused;
    bool closeBox = true;
    onNextModal([&](QWidget* w) {
        text = dialogText(w);
        focused = w->focusWidget()->objectName();
        closeBox = w->windowFlags() & Qt::WindowCloseButtonHint;
        QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    });
    EXPECT_FALSE(AuswahlFrage("Sollen die \xC4nderungen verworfen werden"));
    EXPECT_EQ(text, QStringLiteral(u"Sollen die Änderungen verworfen werden?"));
    EXPECT_EQ(focused, QStringLiteral("btn1"));
    EXPECT_FALSE(closeBox);
    onNextModal([&](QWidget* w) { clickButton(w, QStringLiteral("btn0")); });
    EXPECT_TRUE(AuswahlFrage("Weiter"));
    EXPECT_EQ(log().find("Weiter"), std::string::npos);
    ASSERT_EQ(sounds.played.size(), 2u);
    EXPECT_EQ(sounds.played[0].first, SoundKind::Question);
}

TEST_F(Messages, WithoutLogTheNoteStillShows) {
    LogZuruecksetzen();
    LogAktiv = false;
    bool shown = false;
    onNextModal([&](QWidget* w) {
        shown = true;
        clickButton(w, QStringLiteral("btn0"));
    });
    EXPECT_TRUE(HinweisMeldung("ohne Log"));
    EXPECT_TRUE(shown);
}

TEST_F(Messages, DialogsUseTheProgramFont) {
    StandardFont.name = "Courier New";
    StandardFont.groesse = 12;
    QFont seen;
    onNextModal([&](QWidget* w) {
        seen = w->font();
        clickButton(w, QStringLiteral("btn0"));
    });
    HinweisMeldung("x");
    EXPECT_EQ(seen.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(seen.pointSize(), 12);
}

TEST_F(Messages, FileErrorUsesTheStandardBox) {
    installDateiFehlerBox();
    QString title, text;
    onNextModal([&](QWidget* w) {
        title = w->windowTitle();
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->buttons().size(), 1);
        box->buttons().first()->click();
    });
    LastIoResult = 3;
    EXPECT_FALSE(DateiFehlerPruefen("Inifile lesen"));
    EXPECT_EQ(title, QStringLiteral("Fehler"));
    EXPECT_EQ(text, QStringLiteral("Inifile lesen: Das Verzeichnis ist noch nicht eingerichtet"));
    setDateiFehlerBox(nullptr);
}
