#include "tests/testsupport/modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

void onNextModal(std::function<void(QWidget*)> fn, QWidget* except) {
    onModalWhere([except](QWidget* w) { return w != except; }, std::move(fn));
}

void onModalWhere(std::function<bool(QWidget*)> accept, std::function<void(QWidget*)> fn) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, fn, accept] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !accept(modal))
            return;
        timer->stop();
        timer->deleteLater();
        fn(modal);
    });
    timer->start();
}

void clickButton(QWidget* dialog, const QString& name) {
    auto* button = dialog->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << "no button " << name.toStdString();
    button->click();
}

QString dialogText(QWidget* dialog) {
    auto* label = dialog->findChild<QLabel*>(QStringLiteral("message"));
    return label ? label->text() : QString();
}

DialogAnswerer::DialogAnswerer(QString button) : button_(std::move(button)) {
    timer_ = new QTimer;
    timer_->setInterval(20);
    QObject::connect(timer_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answered").toBool() ||
            modal->objectName() != QStringLiteral("UserDlg"))
            return;
        modal->setProperty("answered", true);
        texts.push_back(dialogText(modal));
        titles.push_back(modal->windowTitle());
        // Notes have only btn0: the chosen answer is for the questions.
        auto* b = modal->findChild<QAbstractButton*>(button_);
        if (!b)
            b = modal->findChild<QAbstractButton*>(QStringLiteral("btn0"));
        if (b)
            b->click();
    });
    timer_->start();
}

DialogAnswerer::~DialogAnswerer() {
    delete timer_;
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        const int key = c == u'\t' ? int(Qt::Key_Tab) : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void activate(QWidget* window) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << "window not active";
    // The application's focus widget lags behind the active window on a loaded machine: a menu
    // bar left in keyboard mode keeps it, and typed letters would open its menus.
    EXPECT_TRUE(QTest::qWaitFor([window] {
        QWidget* f = QApplication::focusWidget();
        return f == window || window->isAncestorOf(f);
    })) << "keyboard not in the window";
}
