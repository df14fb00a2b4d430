#pragma once

#include "pgn/pgn.h"

#include <QDialog>
#include <QList>

class Languages;
class QModelIndex;

namespace Ui {
class PgnLadenDialog;
}

// Lists the games of a PGN file to load one or delete several, and switches the file shown.
// Result: 0 cancel, 1 load ausgewaehltePartie(), 100 delete loeschBereiche(), 101 read again.
class PgnLadenDialog : public QDialog
{
    Q_OBJECT

public:
    PgnLadenDialog(const QString &dateiname, const QList<Pgn> &partien, QWidget *parent = nullptr);
    ~PgnLadenDialog() override;

    Pgn ausgewaehltePartie() const { return gewaehlt; }
    // The games to cut out of the file's text, last game first so earlier cuts move no later one.
    QList<Bereich> loeschBereiche() const { return bereiche; }

private slots:
    void OkClick();
    void CancelClick();
    void DeleteClick();
    void on_tableWidget_itemSelectionChanged();
    void on_tableWidget_doubleClicked(const QModelIndex &index);
    void on_pathButton_clicked();
    void on_AppDirCheckBox_toggled(bool p_Checked);

private:
    void richteKnoepfeEin();
    void fuelleTabelle();
    void zeigeDatei(const QString &dateiname);
    QList<int> gewaehlteZeilen() const;
    void lade(int zeile);

    Ui::PgnLadenDialog *ui;
    Languages *sprache;
    QList<Pgn> partien;
    Pgn gewaehlt;
    QList<Bereich> bereiche;
};
