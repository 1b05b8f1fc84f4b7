#pragma once
// The open dialog for the name file. The toolkit's file list leaves out names whose bytes are
// no valid UTF-8 (a list copied from an old archive or USB stick, "M\xfcller.TIF" in Latin-1);
// a second list below it shows those of the current folder, and choosing one opens the file
// by its bytes.

#include <QFileDialog>
#include <optional>
#include <string>

class QLabel;
class QListWidget;

class GesamtOeffnenDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit GesamtOeffnenDialog(QWidget* parent);
    // Lets the user choose the list, starting in that folder with NAMEN.TIF proposed: its native
    // path, or nothing when cancelled. The folder is made for the dialog where it is missing,
    // and goes again unless the list was chosen in it.
    std::optional<std::string> waehlen(const QString& ordner);
    // The chosen file as a native path (its bytes).
    std::string gewaehlteDatei() const;
    QListWidget* fremdeNamen() const { return fremdeNamen_; }
    // Lists the folder's files whose names the toolkit leaves out.
    void ordnerLesen(const QString& ordner);

private:
    QLabel* hinweis_;
    QListWidget* fremdeNamen_;
    std::string fremdeWahl_;
};
