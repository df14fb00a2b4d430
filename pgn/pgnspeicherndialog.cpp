#include "pgn/pgnspeicherndialog.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/rueckfragen.h"
#include "pgn/pgn.h"
#include "ui/bilder.h"
#include "ui/links.h"
#include "ui/schrift.h"
#include "ui/zahlvalidator.h"
#include "ui_pgnspeicherndialog.h"

#include <QFileInfo>
#include <QUrl>

namespace {

const int zahlBreite = 58;

QString sammlung()
{
    return appVerzeichnis + QLatin1String("Brakmor.pgn");
}

} // namespace

PgnSpeichernDialog::PgnSpeichernDialog(Pgn *eintrag, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::PgnSpeichernDialog)
    , sprache(Languages::instance())
    , eintrag(eintrag)
{
    registriereBilder();
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setzePunktgroesse(findChildren<QLabel *>(), 10);
    setzePunktgroesse(findChildren<QLineEdit *>(), 10);
    setzeTexte();
    zeigeLink(ui->PGN_DateinameLabel, QUrl::fromLocalFile(appVerzeichnis), sammlung());
    richteKnoepfeEin();

    ui->EcoL_Edit->setMaximumWidth(zahlBreite);
    ui->RundeL_Edit->setMaximumWidth(zahlBreite);
    ui->RundeL_Edit->setValidator(new ZahlValidator(0, 9999, this));
    ui->EloWsL_Edit->setFixedWidth(zahlBreite);
    ui->EloWsL_Edit->setValidator(new ZahlValidator(0, 5000, this));
    ui->EloSwL_Edit->setFixedWidth(zahlBreite);
    ui->EloSwL_Edit->setValidator(new ZahlValidator(0, 5000, this));
    ui->ErgebnisL_Edit->setEnabled(false);
    ui->ErgebnisL_Edit->setMaximumWidth(87);
    fuelleFelder();
}

PgnSpeichernDialog::~PgnSpeichernDialog()
{
    delete ui;
}

void PgnSpeichernDialog::setzeTexte()
{
    setWindowTitle(sprache->text(1000, QStringLiteral("Partie im PGN Format speichern")));
    const std::pair<QLabel *, QString> labels[] = {
        {ui->DatumLabel, sprache->text(1005, QStringLiteral("Datum"))},
        {ui->BezeichnungLabel, sprache->text(1010, QStringLiteral("Bezeichnung"))},
        {ui->EcoLabel, sprache->text(1011, QString::fromUtf8("ECO (Eröffnung)"))},
        {ui->SpielortLabel, sprache->text(1012, QStringLiteral("Spielort"))},
        {ui->RundeLabel, sprache->text(1013, QStringLiteral("Runde"))},
        {ui->NameWeissLabel, sprache->text(1014, QString::fromUtf8("Name Weiß"))},
        {ui->NameSchwarzLabel, sprache->text(1015, QStringLiteral("Name Schwarz"))},
        {ui->ErgebnisLabel, sprache->text(1314, QStringLiteral("Ergebnis"))},
        // The rating's name is the same in every language.
        {ui->EloWsLabel, QStringLiteral("ELO")},
        {ui->EloSwLabel, QStringLiteral("ELO")},
    };
    for (const auto &[label, text] : labels) {
        label->setText(text);
        label->setMinimumWidth(100);
    }
    ui->DateiNameGroupBox->setTitle(QLatin1String("PGN-") +
                                    sprache->text(9520, QStringLiteral("Dateiname")));
}

void PgnSpeichernDialog::richteKnoepfeEin()
{
    const struct
    {
        QPushButton *knopf;
        const char *bild;
        int id;
        const char *fallback;
        void (PgnSpeichernDialog::*slot)();
    } knoepfe[] = {
        {ui->okButton, ":/Icons/Fertig", 202, "Partie speichern", &PgnSpeichernDialog::ButtonClick},
        {ui->cancelButton, ":/Icons/Abbruch", 220, "Abbruch", &PgnSpeichernDialog::CancelClick},
        {ui->ladenButton, ":/Icons/Laden", 201, "Partie laden", &PgnSpeichernDialog::LadeClick},
    };
    for (const auto &k : knoepfe) {
        k.knopf->setIconSize(QSize(40, 40));
        k.knopf->setIcon(QIcon(QString::fromLatin1(k.bild)));
        k.knopf->setText(sprache->text(k.id, QString::fromUtf8(k.fallback)));
        connect(k.knopf, &QPushButton::clicked, this, k.slot);
    }
    ui->ladenButton->setEnabled(QFileInfo::exists(sammlung()));
}

void PgnSpeichernDialog::fuelleFelder()
{
    // The field reaches back to the year 100, so that a historical date is kept as it is. An
    // unknown or partial date stands at that lowest date, shown as its text, and stays as it was
    // unless another date is picked.
    ui->dateEdit->setMinimumDate(QDate(100, 1, 1));
    ui->dateEdit->setSpecialValueText(eintrag->datumText.isEmpty() ? QStringLiteral("????.??.??")
                                                                   : eintrag->datumText);
    ui->dateEdit->setDateTime(eintrag->datum.isValid() ? eintrag->datum
                                                       : ui->dateEdit->minimumDateTime());
    ui->BezeichnungL_Edit->setText(eintrag->event);
    ui->EcoL_Edit->setText(eintrag->eco);
    ui->SpielortL_Edit->setText(eintrag->site);
    ui->RundeL_Edit->setText(QString::number(eintrag->runde));
    ui->NameWeissL_Edit->setText(eintrag->weiss);
    ui->EloWsL_Edit->setText(QString::number(eintrag->weissElo));
    ui->NameSchwarzL_Edit->setText(eintrag->schwarz);
    ui->EloSwL_Edit->setText(QString::number(eintrag->schwarzElo));
    ui->ErgebnisL_Edit->setText(eintrag->ergebnis);
}

void PgnSpeichernDialog::ButtonClick()
{
    Pgn &e = *eintrag;
    if (ui->dateEdit->date() == ui->dateEdit->minimumDate()) {
        e.datum = QDateTime();
    } else {
        e.datum = ui->dateEdit->dateTime();
        e.datumText.clear();
    }
    e.event = ui->BezeichnungL_Edit->text();
    e.eco = ui->EcoL_Edit->text();
    e.site = ui->SpielortL_Edit->text();
    e.runde = ui->RundeL_Edit->text().toInt();
    e.weiss = ui->NameWeissL_Edit->text();
    e.weissElo = ui->EloWsL_Edit->text().toInt();
    e.schwarz = ui->NameSchwarzL_Edit->text();
    e.schwarzElo = ui->EloSwL_Edit->text().toInt();
    e.ergebnis = ui->ErgebnisL_Edit->text();
    done(Gespeichert);
}

void PgnSpeichernDialog::CancelClick()
{
    done(SpeichernAbgebrochen);
}

void PgnSpeichernDialog::LadeClick()
{
    done(LadenStattSpeichern);
}
