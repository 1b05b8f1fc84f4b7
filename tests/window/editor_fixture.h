#pragma once
// The main window opened on a list as the launch opens it, with keys typed where the user's go.

#include "app/startup.h"
#include "runlog/runlog.h"
#include "tests/testsupport/modal.h"
#include "tests/testsupport/tempenv.h"
#include "window/gesamtdatei.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>
#include <string>

inline std::string liste(int n) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int i = 1; i <= n; ++i)
        text += "Spieler " + std::to_string(i) + "\t \t" + std::to_string(i) + "\tN\t" +
                std::to_string(100 + i) + "\r\n";
    return text;
}

// The file dropped where the user lets go of it: on the widget in the middle of the window.
inline void ablegen(QWidget* fenster, const QString& pfad) {
    const QPoint mitte = fenster->rect().center();
    QWidget* ziel = fenster->childAt(mitte);
    ASSERT_NE(ziel, nullptr);
    const QPoint wo = ziel->mapFrom(fenster, mitte);
    QMimeData daten;
    daten.setUrls({QUrl::fromLocalFile(pfad)});
    daten.setText(pfad); // as file managers also offer it: never typed into the cell
    QDragEnterEvent hinein(wo, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &hinein);
    ASSERT_TRUE(hinein.isAccepted());
    QDropEvent ab(QPointF(wo), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &ab);
    ASSERT_TRUE(ab.isAccepted());
}

struct Editor : ::testing::Test {
    TempEnv env;
    QString file;
    std::unique_ptr<TfrmGesamtdatei> frm;

    void SetUp() override {
        LogZuruecksetzen();
        ProgrammzustandVorbereiten();
        file = env.path(QStringLiteral("NAMEN.TIF"));
    }
    void TearDown() override {
        frm.reset();
        sGesamtdatei.clear();
        LogZuruecksetzen();
    }
    // Opens the window on the file, as the launch does, without its modal loop.
    void open(const std::string& content) {
        if (!content.empty())
            writeBytes(file, content);
        sGesamtdatei = file.toStdString();
        frm = std::make_unique<TfrmGesamtdatei>();
        ASSERT_TRUE(frm->FormCreate());
        frm->ErweiternVerbergen();
        frm->show();
        frm->activateWindow();
        QApplication::processEvents();
        // Keys go where the focus is: the X server gives it once it has mapped the window.
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return frm->sgGesamt->isAncestorOf(QApplication::focusWidget()); }));
    }
    QString label() const { return frm->lblGrenze->text(); }
    // What the list holds.
    const std::string& cell(int col, int row) const { return frm->liste().zellen().cell(col, row); }
    // Abbruch closes the window without asking: nothing counts as changed.
    void cancelClosesUnasked() {
        DialogAnswerer answers;
        frm->aktion("mptAbbruch")->trigger();
        EXPECT_TRUE(answers.texts.empty());
        EXPECT_FALSE(frm->isVisible());
    }
    // A shortcut as the user types it: into the widget that has the focus, the cell's editor.
    void ctrl(Qt::Key key) {
        activate(frm.get()); // the platform gives it back after a dialog; offscreen does not
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, Qt::ControlModifier);
        QApplication::processEvents();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QApplication::processEvents();
    }
    bool marked(int col, int row) const {
        return frm->sgGesamt->model()->index(row - 1, col).data(Qt::BackgroundRole).isValid();
    }
    void typeName(int row, const QString& name) {
        frm->sgGesamt->setCurrentCell(1, row);
        QApplication::processEvents();
        auto* edit = qobject_cast<QLineEdit*>(frm->sgGesamt->cellEditor());
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        typeText(edit, name);
    }
};
