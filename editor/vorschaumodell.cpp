#include "editor/vorschaumodell.h"

#include "cells/eintrag.h"
#include "platform/cp1252.h"

#include <QFont>

namespace {

// Appends `teil` after `trenner` as far as the shown text has room; false once it is full.
bool anhaengen(QString& text, const QString& teil, QStringView trenner = {}) {
    if (text.size() >= Vorschaumodell::kMaxAnzeige)
        return false;
    if (!text.isEmpty())
        text += trenner;
    text += teil;
    if (text.size() <= Vorschaumodell::kMaxAnzeige)
        return true;
    text.truncate(Vorschaumodell::kMaxAnzeige - 1);
    text += u'…';
    return false;
}

QString kurz(const QString& text) {
    QString out;
    anhaengen(out, text);
    return out;
}

} // namespace

Vorschaumodell::Vorschaumodell(bool mitHaken, QObject* parent)
    : QAbstractTableModel(parent), mitHaken_(mitHaken) {}

void Vorschaumodell::setzen(const std::vector<QStringList>& quelle, std::vector<Planzeile> plan) {
    beginResetModel();
    quelle_ = quelle;
    plan_ = std::move(plan);
    endResetModel();
}

int Vorschaumodell::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(plan_.size());
}

int Vorschaumodell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kSpalten;
}

bool Vorschaumodell::ankreuzbar(int row) const {
    const Aktion a = plan_[size_t(row)].aktion;
    return mitHaken_ && (a == Aktion::Neu || a == Aktion::Geaendert);
}

void Vorschaumodell::hakenUmschalten(int row) {
    if (row >= 0 && row < rowCount() && ankreuzbar(row))
        setData(index(row, kAktion), plan_[size_t(row)].haken ? Qt::Unchecked : Qt::Checked,
                Qt::CheckStateRole);
}

Vorschaumodell::Anzeige Vorschaumodell::anzeige(int row, int spalte) const {
    const Planzeile& p = plan_[size_t(row)];
    Anzeige a;
    if (spalte == kZeile) {
        a.text = QString::number(p.quelle + 1);
    } else if (spalte == kAktion) {
        a.text = AktionText(p.aktion);
    } else if (spalte == kHinweis) {
        // Values of a column nobody takes are only listed: they are on every row.
        a.markiert = !p.grund.isEmpty();
        if (a.markiert) {
            anhaengen(a.text, p.grund);
            anhaengen(a.tooltip, p.grund);
        }
        for (const Vermerk& v : p.vermerke) {
            a.markiert = a.markiert || v.feld >= 0;
            anhaengen(a.text, v.text, u"; ");
            anhaengen(a.tooltip, v.text, u"\n");
        }
    } else {
        // One field of the entry: "alt → neu", in bold, where it changes; marked, with the
        // notes as tooltip, where a value was changed or left out.
        const int f = spalte - kErstesFeld;
        const QString neu = cp1252::toQString(p.eintrag[size_t(f)]);
        const QString alt = cp1252::toQString(p.alt[size_t(f)]);
        a.fett = p.aktion == Aktion::Geaendert && alt != neu;
        a.text = kurz(a.fett ? alt + QStringLiteral(u" → ") + neu : neu);
        if (a.fett)
            a.tooltip = a.text;
        for (const Vermerk& v : p.vermerke) {
            if (v.feld == f) {
                a.tooltip = a.markiert ? a.tooltip : QString();
                a.markiert = true;
                anhaengen(a.tooltip, v.text, u"\n");
            }
        }
        // A row without an entry shows what it held, so that the user sees what is left out.
        if (f == kSpalteName && p.aktion == Aktion::Uebersprungen && p.eintrag == Zeile{}) {
            a.text.clear();
            for (const QString& wert : quelle_[size_t(p.quelle)])
                if (!wert.trimmed().isEmpty() &&
                    !anhaengen(a.text, kurz(wert).simplified(), QStringLiteral(" | ")))
                    break;
            a.tooltip = a.text;
            a.schraeg = true;
        }
    }
    return a;
}

QVariant Vorschaumodell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kSpalten)
        return {};
    if (role == Qt::CheckStateRole)
        return index.column() == kAktion && ankreuzbar(index.row())
                   ? QVariant(plan_[size_t(index.row())].haken ? Qt::Checked : Qt::Unchecked)
                   : QVariant();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::FontRole &&
        role != Qt::BackgroundRole)
        return {};
    const Anzeige a = anzeige(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return a.text;
    case Qt::ToolTipRole:
        return a.tooltip.isEmpty() ? QVariant() : QVariant(a.tooltip);
    case Qt::FontRole: {
        if (!a.fett && !a.schraeg)
            return {};
        QFont font;
        font.setBold(a.fett);
        font.setItalic(a.schraeg);
        return font;
    }
    default:
        return a.markiert ? QVariant(markierung_) : QVariant();
    }
}

QVariant Vorschaumodell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QString titel[kSpalten] = {
        QStringLiteral("Zeile"),  QStringLiteral("Aktion"), QStringLiteral("Nr."),
        QStringLiteral("Name"),   QStringLiteral("MP"),     QStringLiteral("Mitgliedsnr."),
        QStringLiteral("Hinweis")};
    return section >= 0 && section < kSpalten ? QVariant(titel[section]) : QVariant();
}

Qt::ItemFlags Vorschaumodell::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == kAktion && ankreuzbar(index.row()))
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool Vorschaumodell::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable))
        return false;
    plan_[size_t(index.row())].haken = value.toInt() == Qt::Checked;
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}
