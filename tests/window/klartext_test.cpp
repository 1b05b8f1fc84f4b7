// Text from outside the program where the window shows it: markup in a file name, a table
// heading, a cell or a clipboard line is shown as it is, and an <img> in it reads nothing.
// The pictures name a FIFO: read as rich text the program would wait on it for ever, so the
// test opens it for writing once it is late, and fails instead of hanging.

#include "dialogs/einfuegedialog.h"
#include "dialogs/einlesedialog.h"
#include "tests/window/editor_fixture.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Frees a reader stuck on the FIFO once `frist` has passed, and says so.
class Waechter {
public:
    Waechter(std::string fifo, std::chrono::seconds frist)
        : thread_([this, fifo = std::move(fifo), frist] {
              const auto ende = std::chrono::steady_clock::now() + frist;
              while (!fertig_) {
                  if (std::chrono::steady_clock::now() > ende) {
                      // Succeeds only while someone has the FIFO open for reading.
                      const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                      if (fd >= 0) {
                          gelesen_ = true;
                          ::close(fd);
                      }
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              }
          }) {}
    ~Waechter() {
        fertig_ = true;
        thread_.join();
    }
    bool gelesen() const { return gelesen_; }

private:
    std::atomic<bool> fertig_{false}, gelesen_{false};
    std::thread thread_;
};

// What a window shows of text that could be markup: labels and tooltips as the user sees
// them, and the labels that would read it as markup.
struct Gezeigt {
    QStringList texte;
    QStringList alsMarkup;
};

QString alsGezeigt(const QString& tipp) {
    if (!Qt::mightBeRichText(tipp))
        return tipp;
    return QTextDocumentFragment::fromHtml(tipp).toPlainText().replace(QChar::Nbsp, u' ');
}

void sammeln(QWidget* fenster, Gezeigt& g) {
    for (QLabel* label : fenster->findChildren<QLabel*>()) {
        if (!label->text().contains(u'<'))
            continue;
        (label->textFormat() == Qt::PlainText ? g.texte : g.alsMarkup) << label->text();
        g.texte << alsGezeigt(label->toolTip());
    }
    // Each cell's tooltip as the pointer resting on it brings it up.
    for (QTableView* tabelle : fenster->findChildren<QTableView*>())
        for (int r = 0; r < tabelle->model()->rowCount(); ++r)
            for (int c = 0; c < tabelle->model()->columnCount(); ++c) {
                const QRect wo = tabelle->visualRect(tabelle->model()->index(r, c));
                if (wo.isEmpty())
                    continue;
                QToolTip::hideText();
                QHelpEvent hilfe(QEvent::ToolTip, wo.center(),
                                 tabelle->viewport()->mapToGlobal(wo.center()));
                QApplication::sendEvent(tabelle->viewport(), &hilfe);
                if (QToolTip::isVisible())
                    g.texte << alsGezeigt(QToolTip::text());
            }
}

// The preview of that class, looked at and left with Escape.
template <typename Dialog> void vorschauSammeln(Gezeigt& g, bool& gesehen) {
    onModalOf<Dialog>([&g, &gesehen](Dialog* d) {
        sammeln(d, g);
        gesehen = true;
        activate(d);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
}

} // namespace

TEST_F(Editor, MarkupInFileNamesHeadingsCellsAndTheClipboardIsShownAsItIsAndReadsNothing) {
    const QString fifo = env.path(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A file name cannot hold "/": HTML takes it as "&#47;".
    const QString bild = QStringLiteral("<img src=%1>").arg(fifo);
    const QString bildImNamen =
        QStringLiteral("<img src=%1>").arg(QString(fifo).replace(u'/', QStringLiteral("&#47;")));
    const QString fett = QStringLiteral("<b>x</b>");

    struct Fall {
        const char* wie;
        std::function<void(Editor&, Gezeigt&)> zeigen;
        QStringList erwartet; // each shown literally somewhere
    };
    const QString tabelle = env.path(bildImNamen + QStringLiteral(".csv"));
    const QString listenDatei = env.path(bildImNamen + QStringLiteral(".TIF"));
    const Fall faelle[] = {
        {"a table dropped on the window, named so, with such a heading and cell",
         [&](Editor& e, Gezeigt& g) {
             QFile f(tabelle);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write((QStringLiteral("Name;") + bild + QStringLiteral("\r\n") + fett +
                      QStringLiteral(";J\r\n"))
                         .toUtf8());
             f.close();
             bool gesehen = false;
             vorschauSammeln<EinleseDialog>(g, gesehen);
             ablegen(e.frm.get(), tabelle);
             ASSERT_TRUE(QTest::qWaitFor([&] { return gesehen; }));
         },
         {QFileInfo(tabelle).fileName(), QStringLiteral(u"„%1“:").arg(bild),
          QStringLiteral("Name | ") + bild}},
        {"a block pasted with such a heading and cell",
         [&](Editor& e, Gezeigt& g) {
             QApplication::clipboard()->setText(QStringLiteral("Name\t") + bild +
                                                QStringLiteral("\r\n") + fett +
                                                QStringLiteral("\tJ\r\n"));
             bool gesehen = false;
             vorschauSammeln<EinfuegeDialog>(g, gesehen);
             e.ctrl(Qt::Key_V);
             ASSERT_TRUE(QTest::qWaitFor([&] { return gesehen; }));
         },
         {QStringLiteral(u"„%1“:").arg(bild), QStringLiteral("Name | ") + bild}},
        {"the note naming the table saved beside a list named so",
         [&](Editor& e, Gezeigt& g) {
             onNextModal([](QWidget* w) {
                 ASSERT_NE(qobject_cast<QFileDialog*>(w), nullptr);
                 activate(w); // the proposed name, beside the list
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
             });
             activate(e.frm.get());
             e.key(Qt::Key_L, Qt::AltModifier);
             ASSERT_TRUE(
                 QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
             QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_B);
             ASSERT_TRUE(QTest::qWaitFor([&] { return !e.frm->lblHinweis->text().isEmpty(); }));
             QTest::qWait(100); // painted, as the user sees it
             sammeln(e.frm.get(), g);
         },
         {QStringLiteral(u"2 Einträge als Tabelle gespeichert: ") + env.path(bildImNamen) +
          QStringLiteral(".ods")}},
        {"the file dialog's question whether to replace that table",
         [&](Editor& e, Gezeigt& g) {
             bool gefragt = false;
             onNextModal([&](QWidget* w) {
                 ASSERT_NE(qobject_cast<QFileDialog*>(w), nullptr);
                 onModalOf<QMessageBox>([&](QMessageBox* frage) {
                     sammeln(frage, g);
                     gefragt = true;
                     frage->button(QMessageBox::No)->click();
                 });
                 activate(w);
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                 ASSERT_TRUE(QTest::qWaitFor([&] { return gefragt; }));
                 activate(w);
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
             });
             activate(e.frm.get());
             e.key(Qt::Key_L, Qt::AltModifier);
             ASSERT_TRUE(
                 QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
             QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_B);
             ASSERT_TRUE(QTest::qWaitFor([&] { return gefragt; }));
         },
         {bildImNamen + QStringLiteral(".ods")}},
    };

    file = listenDatei;
    open(liste(2));
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.wie);
        Gezeigt g;
        QElapsedTimer uhr;
        uhr.start();
        {
            const Waechter waechter(QFile::encodeName(fifo).toStdString(),
                                    std::chrono::seconds(10));
            f.zeigen(*this, g);
            QApplication::processEvents();
            EXPECT_FALSE(waechter.gelesen()) << "the program waited on the FIFO";
        }
        EXPECT_LT(uhr.elapsed(), 8000);
        EXPECT_TRUE(g.alsMarkup.isEmpty()) << g.alsMarkup.join(u'\n').toStdString();
        for (const QString& text : f.erwartet)
            EXPECT_TRUE(std::any_of(g.texte.begin(), g.texte.end(),
                                    [&](const QString& t) { return t.contains(text); }))
                << text.toStdString() << " not shown in:\n"
                << g.texte.join(u'\n').toStdString();
        ASSERT_TRUE(QTest::qWaitFor([this] { return frm->sgGesamt->cellEditor() != nullptr; }));
    }
    EXPECT_EQ(frm->liste().verlauf().count(), 0);
}
