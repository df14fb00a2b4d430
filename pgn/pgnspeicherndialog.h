#pragma once

#include <QDialog>

class Languages;
class Pgn;

namespace Ui {
class PgnSpeichernDialog;
}

// Lets the user review and edit a game's PGN tags before it is appended to the game collection.
// Result: 1 save, 0 cancel, 5 open the load dialog instead.
class PgnSpeichernDialog : public QDialog
{
    Q_OBJECT

public:
    // `eintrag` (not owned) receives the edits when the user saves, and only then.
    explicit PgnSpeichernDialog(Pgn *eintrag, QWidget *parent = nullptr);
    ~PgnSpeichernDialog() override;

private slots:
    void ButtonClick();
    void CancelClick();
    void LadeClick();

private:
    void setzeTexte();
    void richteKnoepfeEin();
    void fuelleFelder();

    Ui::PgnSpeichernDialog *ui;
    Languages *sprache;
    Pgn *eintrag;
};
