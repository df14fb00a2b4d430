#pragma once

#include <QDialog>

class Languages;

namespace Ui {
class KonfigurationsDialog;
}

// Shows and edits the user's settings (language, name, fonts, board, animation, engine behaviour,
// auto-load);
// OK saves them and reloads the language table, Cancel changes nothing.
class KonfigurationsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KonfigurationsDialog(QWidget *parent = nullptr);
    ~KonfigurationsDialog() override;

private slots:
    void on_okButton_clicked();
    void on_cancelButton_clicked();

private:
    void setzeTexte();
    void richteKaestchenAus();
    void fuelleFelder();

    Ui::KonfigurationsDialog *ui;
    Languages *sprache;
};
