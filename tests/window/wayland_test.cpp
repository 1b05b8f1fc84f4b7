// The window under a Wayland compositor, which places windows itself and tells no client
// where: typing and saving work, and the stored position survives for the next X11 start.

#include "platform/profile.h"
#include "tests/window/editor_fixture.h"

#include <QGuiApplication>

TEST_F(Editor, UnderWaylandTheStoredPositionStaysAndTheSizeIsKept) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
    ASSERT_TRUE(Profile::writeStrings(
        "Kelmar.ini", "Fenster - Gesamt",
        {{"Left", "300"}, {"Top", "200"}, {"Width", "600"}, {"Height", "450"}, {"State", "0"}}));
    writeBytes(file, liste(3));
    sGesamtdatei = file.toStdString();
    frm = std::make_unique<TfrmGesamtdatei>();
    ASSERT_TRUE(frm->FormCreate());
    frm->ErweiternVerbergen();
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    // Keys straight to the cell's editor: a headless compositor has no keyboard to focus.
    frm->sgGesamt->setCurrentCell(1, 2);
    QApplication::processEvents();
    auto* edit = qobject_cast<QLineEdit*>(frm->sgGesamt->cellEditor());
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Wayland"));
    QTest::keyClick(edit, Qt::Key_Return);
    DialogAnswerer answers;
    frm->aktion("mptSpeichernundBeenden")->trigger();
    EXPECT_FALSE(frm->isVisible());
    frm.reset();
    EXPECT_NE(readBytes(file).find("Wayland\t \t2\t"), std::string::npos);
    const Profile ini = Profile::load("Kelmar.ini");
    EXPECT_EQ(ini.readInt("Fenster - Gesamt", "Left", -1), 300);
    EXPECT_EQ(ini.readInt("Fenster - Gesamt", "Top", -1), 200);
    EXPECT_EQ(ini.readInt("Fenster - Gesamt", "Width", -1), 600);
    EXPECT_EQ(ini.readInt("Fenster - Gesamt", "Height", -1), 450);
}
