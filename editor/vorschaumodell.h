#pragma once
// The rows a preview shows, as the model of its table: one line per row of the plan with its
// number, what will happen to it (with a tick where it can be left out), the entry's fields
// and the notes. Each cell's text is made when the view asks for it, so that a preview of
// 1100 rows with notes on 64 columns costs what is on the screen; and no text it shows is
// longer than kMaxAnzeige, whatever a table's cells held.

#include "editor/zeilenvorschau.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <vector>

class Vorschaumodell : public QAbstractTableModel {
public:
    enum Spalte {
        kZeile,
        kAktion,
        kErstesFeld, // the entry's fields in the list's order (kSpalteNr …)
        kHinweis = kErstesFeld + CellTable::kColumns,
        kSpalten
    };
    // Of a cell's text and of its tooltip; what is longer ends in "…".
    static constexpr qsizetype kMaxAnzeige = 1000;

    // With ticks: each row that changes the list can be left out.
    explicit Vorschaumodell(bool mitHaken, QObject* parent = nullptr);

    // The rows of `plan`; `quelle` the rows they come from (Planzeile::quelle), shown for a
    // row without an entry.
    void setzen(const std::vector<QStringList>& quelle, std::vector<Planzeile> plan);
    // The plan with the ticks as the user set them.
    const std::vector<Planzeile>& plan() const { return plan_; }
    // Marks a changed or left-out value, and a row's important notes.
    void markierungSetzen(const QBrush& markierung) { markierung_ = markierung; }
    // Ticks the row or takes its tick away, where it has one.
    void hakenUmschalten(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    struct Anzeige {
        QString text, tooltip;
        bool fett = false, schraeg = false, markiert = false;
    };
    Anzeige anzeige(int row, int spalte) const;
    bool ankreuzbar(int row) const;

    bool mitHaken_;
    std::vector<QStringList> quelle_;
    std::vector<Planzeile> plan_;
    QBrush markierung_;
};
