#pragma once

#include <QDialog>

class Languages;

namespace Ui {
class InfoDialog;
}

// The box about the program: picture, name, version, build stamp and the maker with links.
class InfoDialog : public QDialog
{
    Q_OBJECT

public:
    InfoDialog(QWidget *parent, const QString &stempel);
    ~InfoDialog() override;

private slots:
    void ButtonClick();

private:
    void setzeTexte(const QString &stempel);

    Ui::InfoDialog *ui;
    Languages *sprache;
};

// The README installed with the program (share/doc/brakmor beside its bin folder, or the copy in
// the build folder), empty when there is none.
QString anleitungsDatei();
// When this program was built, as "Jul 27 2018   16:52:46".
QString bauStempel();
// The stamp from the compiler's date ("Jul  7 2018", day padded) and time texts.
QString bauStempel(const char *datum, const char *zeit);
