#pragma once
// The line below the list: the number of entries on the left, and on the right a passing note
// that needs no answer (a letter the file cannot hold, where the pages went), gone after a few
// seconds.

#include <QBasicTimer>
#include <QWidget>

class QLabel;

class TZaehlzeile : public QWidget {
    Q_OBJECT
public:
    explicit TZaehlzeile(QWidget* parent = nullptr);

    void anzahlZeigen(const QString& text);
    void hinweisZeigen(const QString& text);
    // Grows with a larger font, like the grid's rows; the usual size stays the smallest.
    void anSchriftAnpassen();

    QLabel* lblGrenze;
    QLabel* lblHinweis;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    static constexpr int kHoehe = 22;
    static constexpr int kHinweisMs = 8000;
    QBasicTimer hinweisZeit_;
};
