#include "widgets/dateiablage.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

DateiAblage::DateiAblage(QWidget* fenster, std::function<void(const QStringList&)> abgelegt)
    : QObject(fenster), fenster_(fenster), abgelegt_(std::move(abgelegt)) {
    fenster->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

bool DateiAblage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type art = event->type();
    if (art != QEvent::DragEnter && art != QEvent::DragMove && art != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* ablage = static_cast<QDropEvent*>(event);
    if (!widget || widget->window() != fenster_ || !ablage->mimeData()->hasUrls())
        return false;
    ablage->acceptProposedAction();
    if (art == QEvent::Drop) {
        QStringList dateien;
        for (const QUrl& url : ablage->mimeData()->urls())
            dateien << (url.isLocalFile() ? url.toLocalFile() : QString());
        dateien.removeAll(QString());
        // The source of the drag waits for the drop to end: the dialogs come after it.
        QTimer::singleShot(0, this, [this, dateien] { abgelegt_(dateien); });
    }
    return true;
}
