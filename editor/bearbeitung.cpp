#include "editor/bearbeitung.h"

#include "platform/cp1252.h"
#include "runlog/runlog.h"

#include <QFile>

namespace {

std::string anzeigePfad(const std::string& pfad) {
    return cp1252::fromQString(QFile::decodeName(QByteArray::fromStdString(pfad)));
}

} // namespace

Sicherung::Sicherung(NamenListe& liste, Wiederherstellung& daten) {
    auto folgen = [&liste, &daten] {
        if (liste.verlauf().isClean())
            daten.verwerfen();
        else
            daten.aendern(NamenDateiText(liste.zellen()));
    };
    verbindung_ = QObject::connect(&liste.verlauf(), &QUndoStack::indexChanged, folgen);
    if (!liste.verlauf().isClean())
        folgen();
}

Sicherung::~Sicherung() {
    QObject::disconnect(verbindung_);
}

Bearbeitung::Bearbeitung(NamenListe& liste, Meldungen& meldungen)
    : liste_(liste), meldungen_(meldungen) {}

Bearbeitung::~Bearbeitung() {
    beenden(false);
}

bool Bearbeitung::oeffnen(const std::string& pfad) {
    pfad_ = pfad;
    if (!sperreNehmen(pfad_, sperre_))
        return false;
    abgeschlossen_ = UnterbrochenesSpeichernAbschliessen(pfad_);
    CellStore zellen(kMaxEintraege + 1);
    geladen_ = NamenDateiLesen(pfad_, zellen);
    hinweiseZeigen(zellen);
    liste_.laden(std::move(zellen), geladen_);
    // Before the question: taking changes over writes them under this session first.
    aenderungenSichern();
    ungespeichertesPruefen();
    sicherung_ = std::make_unique<Sicherung>(liste_, *wiederherstellung_);
    fassungen_ = std::make_unique<Fassungen>(pfad_);
    fassungen_->geoeffnet(geladen_.stand);
    return true;
}

void Bearbeitung::aenderungenSichern() {
    wiederherstellung_ = std::make_unique<Wiederherstellung>(pfad_, geladen_.stand);
    wiederherstellung_->beiFehler([this](const std::string& hinweis) {
        // Said on the interface thread, and not after the session has gone.
        QMetaObject::invokeMethod(
            &waechter_, [this, hinweis] { sicherungGescheitert(hinweis); }, Qt::QueuedConnection);
    });
}

void Bearbeitung::sicherungGescheitert(const std::string& hinweis) {
    if (!gescheitert) {
        meldungen_.hinweis(hinweis);
        return;
    }
    LogZeile("HINWEIS - " + hinweis);
    gescheitert(hinweis);
}

bool Bearbeitung::sperreNehmen(const std::string& pfad, std::optional<Sperre>& gesetzt) {
    // Also where two copies start at once: the one that loses the race is asked.
    const Sperre eigene = EigeneSperre();
    const Sperrversuch versuch = SperreNehmen(pfad, eigene);
    if (versuch.ergebnis == Sperrversuch::Fremd) {
        if (!meldungen_.frage(SperrFrage(versuch.fremd)))
            return false;
        // Opened anyway: the lock beside the list stays theirs, and this user's own copies
        // meet at the one in the state folder.
        if (ErsatzsperreNehmen(pfad, eigene).ergebnis == Sperrversuch::Gesetzt)
            gesetzt = eigene;
        return true;
    }
    if (versuch.ergebnis == Sperrversuch::Gesetzt)
        gesetzt = eigene;
    return true;
}

void Bearbeitung::hinweiseZeigen(const CellTable& gelesen) {
    if (abgeschlossen_)
        meldungen_.hinweis("Das letzte Speichern der Gesamt-Datei wurde unterbrochen. Es wurde "
                           "jetzt abgeschlossen");
    if (!geladen_.vorhanden)
        meldungen_.hinweis("Die Gesamt-Datei ist noch nicht vorhanden");
    if (!geladen_.fehler.empty())
        meldungen_.fehler("Fehler beim Einlesen der Gesamtdatei: " + geladen_.fehler);
    if (geladen_.mehrAlsMaximum)
        meldungen_.hinweis("Die Gesamt-Datei enth\xE4lt mehr als 1000 Eintr\xE4ge. Es wurden nur "
                           "die ersten 1000 Eintr\xE4ge eingelesen");
    if (geladen_.zuGross)
        meldungen_.hinweis(ZuGrossHinweis());
    if (geladen_.ohneKopfzeile)
        meldungen_.hinweis(OhneKopfzeileHinweis());
    if (geladen_.datenNachDateiende)
        meldungen_.hinweis("Die Gesamt-Datei enth\xE4lt Daten nach dem Dateiende-Zeichen. Es "
                           "wurden nur die Eintr\xE4ge davor eingelesen");
    if (!geladen_.endeNurLF.empty())
        meldungen_.hinweis(ZeilenendenHinweis(geladen_, gelesen));
}

void Bearbeitung::ungespeichertesPruefen() {
    std::vector<std::string> beschaedigt;
    const std::optional<Wiederherstellungsdaten> daten =
        WiederherstellungFinden(pfad_, &beschaedigt);
    // Left where it is: what is in it may still be of use to someone who looks.
    for (const std::string& datei : beschaedigt)
        meldungen_.hinweis("Ungespeicherte \xC4nderungen an der Gesamt-Datei in " +
                           anzeigePfad(datei) +
                           " sind besch\xE4"
                           "digt und k\xF6nnen nicht \xFC"
                           "bernommen werden");
    if (!daten)
        return;
    if (WiederherstellungWieDatei(*daten, geladen_.stand) ||
        daten->text == NamenDateiText(liste_.zellen())) {
        WiederherstellungEntfernen(*daten); // nothing the file does not hold
        return;
    }
    // Enter brings the changes back: the user who just lost work wants them, and answered no
    // they are only put aside.
    if (meldungen_.frageJa(WiederherstellungsFrage(*daten, DateiStandLesen(pfad_)))) {
        liste_.Uebernehmen(daten->text);
        // Where they cannot be written under this session, the old data stay and are offered
        // again; the writer has said why.
        wiederherstellung_->uebernehmen(*daten);
        return;
    }
    const std::string aufbewahrt = WiederherstellungAufbewahren(*daten);
    if (!aufbewahrt.empty())
        meldungen_.hinweis("Die ungespeicherten \xC4nderungen wurden aufbewahrt in " +
                           anzeigePfad(aufbewahrt));
}

// The next save compares with the file, Abbruch asks only about later changes.
void Bearbeitung::gespeichert() {
    geladen_ = LadeErgebnis{};
    geladen_.stand = DateiStandLesen(pfad_);
    liste_.gespeichert();
}

bool Bearbeitung::speichern(bool offenBleiben) {
    liste_.NeueZeileVerwerfen();
    for (const std::string& frage : FragenVorDemSpeichern(geladen_, DateiStandLesen(pfad_)))
        if (!meldungen_.frage(frage))
            return false;
    if (const Geschrieben g = schreibenNach(pfad_, fassungen_.get(), offenBleiben);
        g != Geschrieben::Ja)
        return g == Geschrieben::Anderswo;
    // The file holds the list now: a crash while the note shows must not offer it as unsaved.
    if (offenBleiben)
        gespeichert();
    if (wiederherstellung_) {
        if (offenBleiben)
            wiederherstellung_->gespeichert(geladen_.stand);
        else
            wiederherstellung_->verwerfen();
        wiederherstellung_->warten();
    }
    meldungen_.hinweis(std::to_string(liste_.zellen().rowCount() - 1) + " Eintr\xE4ge gespeichert");
    return true;
}

// What the file holds now stays findable; a folder that takes no version never stops the save,
// and is said once, as for the unsaved changes. A list that cannot be written there may go
// elsewhere.
Bearbeitung::Geschrieben Bearbeitung::schreibenNach(const std::string& ziel, Fassungen* fassungen,
                                                    bool offenBleiben) {
    if (fassungen)
        for (const std::string& hinweis : fassungen->vorDemSpeichern())
            sicherungGescheitert(hinweis);
    std::string fehler;
    try {
        if (!NamenDateiSchreiben(ziel, liste_.zellen())) {
            const Sicherungsmeldung sicherung = SicherungFehlt(ziel);
            sicherung.zeigen ? meldungen_.hinweis(sicherung.text) : (void)LogZeile(sicherung.text);
        }
    } catch (const std::exception& e) {
        fehler = std::string("Fehler beim Speichern der Gesamt-Datei: ") + e.what();
    }
    // What was kept reaches the disk behind the save, written or not.
    if (fassungen)
        fassungen->nachDemSpeichern();
    if (fehler.empty())
        return Geschrieben::Ja;
    if (!zielWaehlen) {
        meldungen_.fehler(fehler);
        return Geschrieben::Nein;
    }
    // Nothing is lost by choosing a file; Escape there still keeps the list as it is.
    return meldungen_.frageJa(fehler + ". Soll die Liste unter einem anderen Namen gespeichert "
                                       "werden") &&
                   speichernUnter(offenBleiben)
               ? Geschrieben::Anderswo
               : Geschrieben::Nein;
}

bool Bearbeitung::speichernUnter(bool offenBleiben) {
    const std::optional<std::string> ziel = zielWaehlen ? zielWaehlen() : std::nullopt;
    return ziel && speichernUnter(*ziel, offenBleiben);
}

bool Bearbeitung::speichernUnter(const std::string& ziel, bool offenBleiben) {
    liste_.NeueZeileVerwerfen();
    const DateiStand dort = DateiStandLesen(ziel);
    const DateiStand hier = DateiStandLesen(pfad_);
    if (dort.vorhanden && hier.vorhanden && dort.geraet == hier.geraet && dort.inode == hier.inode)
        return speichern(offenBleiben);
    // The file taken over is locked first, so that no other session starts on it meanwhile.
    std::optional<Sperre> neueSperre;
    if (!sperreNehmen(ziel, neueSperre))
        return false;
    // What a file chosen to be overwritten held stays findable among its versions.
    auto neueFassungen = std::make_unique<Fassungen>(ziel);
    neueFassungen->geoeffnet(dort);
    const std::function<std::optional<std::string>()> waehlen = std::move(zielWaehlen);
    const Geschrieben g = schreibenNach(ziel, neueFassungen.get(), offenBleiben);
    zielWaehlen = waehlen; // asked once: a second failure is only said
    if (g != Geschrieben::Ja) {
        if (neueSperre)
            SperreEntfernen(ziel, *neueSperre);
        return false;
    }
    // The changes are in the new file: the old list's unsaved data and lock go, in this order,
    // so that a crash before leaves the changes offered at the old list.
    sicherung_.reset();
    if (wiederherstellung_) {
        wiederherstellung_->verwerfen();
        wiederherstellung_->warten();
    }
    if (sperre_)
        SperreEntfernen(pfad_, *sperre_);
    LogZeile("Gespeichert unter " + anzeigePfad(ziel));
    pfad_ = ziel;
    sperre_ = neueSperre;
    fassungen_ = std::move(neueFassungen);
    gespeichert();
    aenderungenSichern();
    sicherung_ = std::make_unique<Sicherung>(liste_, *wiederherstellung_);
    meldungen_.hinweis(std::to_string(liste_.zellen().rowCount() - 1) +
                       " Eintr\xE4ge gespeichert in " + anzeigePfad(ziel));
    return true;
}

bool Bearbeitung::verwerfenErlaubt() {
    return !liste_.bGeaendert() || meldungen_.frage("Sollen die \xC4nderungen verworfen werden");
}

void Bearbeitung::beenden(bool erledigt) {
    sicherung_.reset();
    fassungen_.reset(); // once what was kept is on the disk
    if (wiederherstellung_ && erledigt) {
        wiederherstellung_->verwerfen();
        wiederherstellung_->warten();
    }
    wiederherstellung_.reset();
    if (sperre_)
        SperreEntfernen(pfad_, *sperre_);
    sperre_.reset();
}
