#pragma once

#include <QDialog>

namespace Ui {
class StartDialog;
}

// The greeting on the very first start: asks for the player's name and the interface language.
class StartDialog : public QDialog
{
    Q_OBJECT

public:
    explicit StartDialog(QWidget *parent = nullptr);
    ~StartDialog() override;

private slots:
    void on_DeutschButton_clicked();
    void on_EnglischButton_clicked();
    void on_FranzoesischButton_clicked();

private:
    void waehleSprache(int sprache);

    Ui::StartDialog *ui;
};
