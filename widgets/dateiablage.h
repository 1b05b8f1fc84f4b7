#pragma once
// Files dropped anywhere on a window, its grid and cell editors too: they are handed on as
// files, never taken as text by the widget under the pointer.

#include <QObject>
#include <QStringList>
#include <functional>

class QWidget;

class DateiAblage : public QObject {
public:
    // `abgelegt` gets the dropped local files (none for a drop of something else), after the
    // drop has ended, so that it may show dialogs.
    DateiAblage(QWidget* fenster, std::function<void(const QStringList&)> abgelegt);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* fenster_;
    std::function<void(const QStringList&)> abgelegt_;
};
