// An earlier version against the list now, and putting it back, as one step.

#include "editor/fassungsvergleich.h"
#include "tests/editor/liste.h"

namespace {

using Art = Fassungsunterschied::Art;

const std::vector<Row> kJetzt = {{"1", "Anna Berg", "N", "100"},
                                 {"2", "Otto Zander", "J", "200"},
                                 {"3", "Karl Adam", "G", ""},
                                 {"4", "Neu Dazu", "N", "400"}};
const std::vector<Row> kFassung = {{"2", "Otto Zander", "J", "200"}, // moved: the same
                                   {"1", "Anna Berg", "J", "100"},   // another MP then
                                   {"5", "Eva Fort", "N", "500"},    // deleted since
                                   {"3", "Karl Adam", "G", ""},
                                   {"3", "Karl Adam", "G", ""}}; // twice then, once now

std::string text(const std::vector<Row>& rows) {
    std::string t = "GESAMT-DATEI\r\n";
    for (const Row& r : rows)
        t += r.name + "\t \t" + r.nr + "\t" + r.mp + "\t" + r.dbv + "\r\n";
    return t;
}

} // namespace

TEST(Fassungsvergleich, MatchesAsTheImportDoesAndPutsTheTickedBackAtTheirPlacesAsOneStep) {
    Liste l(kJetzt);
    const Liste fassung(kFassung);
    const Fassungsvergleich v =
        Fassungsvergleicher(l.cells, l.liste.iAnzahl()).vergleichen(fassung.cells, 5);
    struct Erwartet {
        Art art;
        int row, alteZeile;
        bool operator==(const Erwartet&) const = default;
    };
    std::vector<Erwartet> gesehen;
    for (const Fassungsunterschied& u : v.unterschiede)
        gesehen.push_back({u.art, u.row, u.alteZeile});
    EXPECT_EQ(
        gesehen,
        (std::vector<Erwartet>{
            {Art::Geaendert, 1, 2}, {Art::Fehlt, 0, 3}, {Art::Fehlt, 0, 5}, {Art::Mehr, 4, 0}}));
    EXPECT_EQ(VergleichText(v), QStringLiteral(u"2 Einträge mehr, 1 weniger, 1 geändert"));
    EXPECT_EQ(VergleichText(Fassungsvergleicher(l.cells, 4).vergleichen(l.cells, 4)),
              QStringLiteral("gleich"));

    std::vector<Fassungsunterschied> gewaehlt = v.unterschiede;
    gewaehlt[2].haken = false; // the second Karl Adam stays away
    l.hier = l.liste.FassungWiederherstellen(gewaehlt, {1, 2});
    EXPECT_EQ(l.nameList(), (std::vector<std::string>{"Anna Berg", "Otto Zander", "Eva Fort",
                                                      "Karl Adam", "Neu Dazu"}));
    EXPECT_EQ(l.row(1), (Row{"1", "Anna Berg", "J", "100"}));
    EXPECT_EQ(l.liste.verlauf().undoText(), QStringLiteral(u"Frühere Fassung"));
    l.consistent();
    l.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(l.cells), text(kJetzt));

    l.liste.GanzeFassung(text(kFassung), {1, 1});
    EXPECT_EQ(NamenDateiText(l.cells), text(kFassung));
    EXPECT_EQ(l.liste.verlauf().count(), 1);
    l.consistent();
}
