#pragma once

#include <QDialog>
#include <QList>

#include <cstdint>

namespace Ui {
class WandlungDialog;
}

// Asks which piece a pawn reaching the last row becomes; offers only pieces the board can show.
class WandlungDialog : public QDialog
{
    Q_OBJECT

public:
    // `flags`: the move's flags (its colour bit picks the pictures); `geschlagen`: indices of the
    // piece items that are not on the board, so free to show a promoted piece.
    WandlungDialog(int32_t flags, const QList<int> &geschlagen, QWidget *parent = nullptr);
    ~WandlungDialog() override;

    // The chosen piece code (600, 330, 231 or 230), the default when no button was pressed.
    int32_t gewaehlteFigur() const { return auswahl; }

private slots:
    void on_dameButton_clicked();
    void on_turmButton_clicked();
    void on_laeuferButton_clicked();
    void on_pferdButton_clicked();

private:
    void waehle(int32_t figur);

    Ui::WandlungDialog *ui;
    int32_t auswahl;
};
