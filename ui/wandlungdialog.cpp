#include "ui/wandlungdialog.h"

#include "app/languages.h"
#include "core/zug.h"
#include "ui/bilder.h"
#include "ui_wandlungdialog.h"

namespace {

// Black piece items follow the White ones at this distance.
const int schwarzVersatz = 17;
const QSize knopfGroesse(80, 80);

struct Angebot
{
    int32_t figur;
    int ersterIndex; // of the two White items of this kind
    const char *bildWeiss;
    const char *bildSchwarz;
};

// In the order in which the default is picked.
const Angebot angebote[] = {
    {DAME, 14, ":/Figuren/DameWS2", ":/Figuren/DameSW2"},
    {TURM, 12, ":/Figuren/TurmWS2", ":/Figuren/TurmSW2"},
    {LAEUFER, 10, ":/Figuren/LaeuferWS2", ":/Figuren/LaeuferSW2"},
    {PFERD, 8, ":/Figuren/PferdWS2", ":/Figuren/PferdSW2"},
};

} // namespace

WandlungDialog::WandlungDialog(int32_t flags, const QList<int> &geschlagen, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::WandlungDialog)
    , auswahl(PFERD)
{
    registriereBilder();
    ui->setupUi(this);
    // A title bar without buttons: the dialog is left by choosing a piece (or Escape).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(Languages::instance()->text(410, QStringLiteral("Wandlung")));

    const bool schwarz = flags & ZUG_SCHWARZ;
    const int versatz = schwarz ? schwarzVersatz : 0;
    QPushButton *const knoepfe[] = {ui->dameButton, ui->turmButton, ui->laeuferButton,
                                    ui->pferdButton};
    bool standardGefunden = false;
    for (int i = 0; i < 4; ++i) {
        const Angebot &angebot = angebote[i];
        QPushButton *knopf = knoepfe[i];
        knopf->setFixedSize(knopfGroesse);
        knopf->setIconSize(knopfGroesse);
        knopf->setIcon(
            QIcon(QString::fromLatin1(schwarz ? angebot.bildSchwarz : angebot.bildWeiss)));
        const int index = angebot.ersterIndex + versatz;
        const bool frei = geschlagen.contains(index) || geschlagen.contains(index + 1);
        knopf->setEnabled(frei);
        // The knight is the default of last resort, whether it can be shown or not.
        if (frei && !standardGefunden && angebot.figur != PFERD) {
            auswahl = angebot.figur;
            standardGefunden = true;
        }
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

WandlungDialog::~WandlungDialog()
{
    delete ui;
}

void WandlungDialog::on_dameButton_clicked()
{
    waehle(DAME);
}

void WandlungDialog::on_turmButton_clicked()
{
    waehle(TURM);
}

void WandlungDialog::on_laeuferButton_clicked()
{
    waehle(LAEUFER);
}

void WandlungDialog::on_pferdButton_clicked()
{
    waehle(PFERD);
}

void WandlungDialog::waehle(int32_t figur)
{
    auswahl = figur;
    done(1);
}
