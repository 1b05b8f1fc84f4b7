#pragma once
// The slim find bar at the bottom of a window: a search field, the hit count, buttons for the
// previous and the next hit, and one to close it.

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

class TSuchleiste : public QWidget {
    Q_OBJECT
public:
    explicit TSuchleiste(QWidget* parent = nullptr);

    QLineEdit* edtSuche;
    QLabel* lblTreffer;
    QToolButton *btnZurueck, *btnWeiter, *btnSchliessen;

    // Shows the bar with the field focused and its text selected, to type over or go on.
    void oeffnen();
    // "3 von 12 Treffern" for hit index 2 of 12, "Keine Treffer", nothing without a search text.
    void trefferZeigen(int index, int anzahl);

Q_SIGNALS:
    void suchtextGeaendert(const QString& text);
    void weiter(bool rueckwaerts);
    void geschlossen();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};
