#pragma once
// "Frühere Fassungen": the versions of the list kept at its saves, newest first, each with its
// time, its entries and how it differs from the list now; below, the chosen one's differences
// entry by entry, those that can be put back with a tick. "Wiederherstellen", the default
// button, puts the ticked ones back, "Ganze Fassung" the whole version; Escape nothing.

#include "editor/fassungsvergleich.h"
#include "fassungen/fassungen.h"

#include <QDialog>
#include <functional>
#include <map>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

class FassungsDialog : public QDialog {
    Q_OBJECT
public:
    // `zaehlungen`: each sound version's counts of differences, by its file; `vergleichen`
    // gives the differences of the one chosen.
    using Vergleichen = std::function<Fassungsvergleich(const Fassung&)>;
    FassungsDialog(std::vector<Fassung> fassungen,
                   std::map<std::string, Fassungsvergleich> zaehlungen, Vergleichen vergleichen,
                   QWidget* parent);

    // The chosen version, and whether all of it is to come back.
    const Fassung& gewaehlt() const { return fassungen_[size_t(gewaehlt_)]; }
    bool ganz() const { return ganz_; }
    // Its differences with the ticks as the user set them.
    std::vector<Fassungsunterschied> unterschiede() const;

    QTreeWidget* liste() const { return liste_; }
    QTreeWidget* unterschiedeBaum() const { return unterschiede_; }

private:
    void zeigen(int i);
    void zaehlen();

    std::vector<Fassung> fassungen_;
    std::map<std::string, Fassungsvergleich> zaehlungen_;
    Vergleichen vergleichen_;
    Fassungsvergleich gewaehltVergleich_;
    int gewaehlt_ = -1;
    bool ganz_ = false;
    QTreeWidget* liste_;
    QTreeWidget* unterschiede_;
    QLabel* summe_;
    QPushButton* wiederherstellen_;
    QPushButton* ganzeFassung_;
};
