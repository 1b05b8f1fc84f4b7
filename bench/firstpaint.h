#pragma once
// Ends the event loop with 0 at the first paint of the widget it watches: the moment a
// start-up measurement stops.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QCoreApplication::exit(0);
        return false;
    }
};
