#pragma once
// "Über gesamt": the version, the licence, and where the program keeps what it writes besides
// the list, so that a user can find the previous version or a lost change.

#include <QDialog>
#include <string>

class QLabel;

class UeberDialog : public QDialog {
    Q_OBJECT
public:
    // liste: the open list's file (its bytes), whose previous version lies beside it.
    UeberDialog(const std::string& liste, QWidget* parent);
    // The text shown, for tests and screen readers.
    QString text() const;

private:
    QLabel* text_;
};
