#include "app/konfigurationsdialog.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "ui/bilder.h"
#include "ui/links.h"
#include "ui/schrift.h"
#include "ui/zahlvalidator.h"
#include "ui_konfigurationsdialog.h"

#include <QFontMetrics>
#include <QUrl>

namespace {

// The check boxes show their text first; text and gap fill this width, so the indicators line up.
const int kaestchenSpalte = 210;
// The least gap between the widest text and its indicator.
const int mindestAbstand = 6;
const int feldBreite = 58;
const int auswahlBreite = 116;

// An empty field stores the lower bound; values a hand-edited ini put out of range are pulled back.
int zahlAus(const QLineEdit *feld, int bis)
{
    return qBound(0, feld->text().toInt(), bis);
}

} // namespace

KonfigurationsDialog::KonfigurationsDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::KonfigurationsDialog)
    , sprache(Languages::instance())
{
    registriereBilder();
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setzePunktgroesse(findChildren<QLabel *>(), 10);
    setzePunktgroesse(findChildren<QLineEdit *>(), 10);
    setzeTexte();
    richteKaestchenAus();
    zeigeLink(ui->DateinameLabel, QUrl::fromLocalFile(appVerzeichnis),
              appVerzeichnis + QLatin1String("Brakmor.ini"));

    ui->okButton->setIconSize(QSize(40, 40));
    ui->okButton->setIcon(QIcon(QStringLiteral(":/Icons/Fertig")));
    ui->cancelButton->setIconSize(QSize(40, 40));
    ui->cancelButton->setIcon(QIcon(QStringLiteral(":/Icons/Abbruch")));

    ui->SpracheComboBox->addItem(QStringLiteral("Deutsch"), 0);
    ui->SpracheComboBox->addItem(QStringLiteral("English"), 1);
    ui->SpracheComboBox->addItem(QString::fromUtf8("Français"), 2);
    ui->SpracheComboBox->setFixedWidth(auswahlBreite);
    ui->BrettDesignComboBox->addItem(sprache->text(9600, QStringLiteral("Klassisch")), 0);
    ui->BrettDesignComboBox->addItem(sprache->text(9605, QStringLiteral("Holz")), 1);
    ui->BrettDesignComboBox->setFixedWidth(auswahlBreite);
    ui->AnimationComboBox->addItem(sprache->text(1536, QStringLiteral("normal")), AnimationNormal);
    ui->AnimationComboBox->addItem(sprache->text(1537, QStringLiteral("schnell")),
                                   AnimationSchnell);
    ui->AnimationComboBox->addItem(sprache->text(1538, QStringLiteral("aus")), AnimationAus);
    ui->AnimationComboBox->setFixedWidth(auswahlBreite);
    ui->StartphaseEdit->setMaximumWidth(feldBreite);
    ui->StartphaseEdit->setValidator(new ZahlValidator(0, 12, this));
    ui->ZufallEdit->setMaximumWidth(feldBreite);
    ui->ZufallEdit->setValidator(new ZahlValidator(0, 100, this));
    fuelleFelder();
}

KonfigurationsDialog::~KonfigurationsDialog()
{
    delete ui;
}

void KonfigurationsDialog::setzeTexte()
{
    setWindowTitle(sprache->text(1500, QStringLiteral("Konfigurationsdialog")));
    ui->DateinameGroupBox->setTitle(sprache->text(1610, QStringLiteral("Dateiname Konfiguration")));
    ui->BewertungGroupBox->setTitle(sprache->text(1605, QString::fromUtf8("Bewertung der Züge")));
    ui->AllgemeinGroupBox->setTitle(sprache->text(1600, QStringLiteral("Allgemein")));
    // Not translated, so it can be found whatever language is set.
    ui->SpracheLabel->setText(QStringLiteral("Sprache (Language)"));
    ui->NameMenschLabel->setText(sprache->text(1510, QStringLiteral("Wie ist Ihr Name?")));
    ui->StartphaseLabel->setText(
        sprache->text(1520, QString::fromUtf8("Startphase (0..12 Züge; *7)")));
    ui->ZufallLabel->setText(sprache->text(1525, QStringLiteral("Zufall (0..100%; *30%)")));
    ui->WertetabelleCheckBox->setText(sprache->text(1530, QStringLiteral("Html Wertetabelle")));
    ui->GrosseSchriftCheckBox->setText(sprache->text(1515, QString::fromUtf8("große Schrift")));
    ui->MarkiereZugCheckBox->setText(sprache->text(1516, QStringLiteral("Letzten Zug markieren")));
    ui->AutoLadenCheckBox->setText(
        sprache->text(1518, QStringLiteral("Automatisches Laden letzte Partie")));
    ui->BrettdesignLabel->setText(sprache->text(1517, QStringLiteral("Brettdesign")));
    ui->AnimationLabel->setText(sprache->text(1535, QString::fromUtf8("Animation der Züge")));
    ui->okButton->setToolTip(sprache->text(1650, QStringLiteral("Konfiguration speichern")));
    ui->cancelButton->setToolTip(sprache->text(1655, QStringLiteral("Abbruch")));
}

void KonfigurationsDialog::richteKaestchenAus()
{
    const QList<QCheckBox *> kaestchen = {ui->WertetabelleCheckBox, ui->GrosseSchriftCheckBox,
                                          ui->MarkiereZugCheckBox, ui->AutoLadenCheckBox};
    // Measured as the check box measures itself, so the widths add up to the pixel.
    auto textBreite = [](const QCheckBox *k) {
        return QFontMetrics(k->font()).size(Qt::TextShowMnemonic, k->text()).width();
    };
    // Large desktop fonts or long translations push the column out for all four alike.
    int spalte = kaestchenSpalte;
    for (const QCheckBox *k : kaestchen)
        spalte = qMax(spalte, textBreite(k) + mindestAbstand);
    for (QCheckBox *k : kaestchen)
        k->setStyleSheet(QStringLiteral("QCheckBox{spacing:%1px}").arg(spalte - textBreite(k)));
}

void KonfigurationsDialog::fuelleFelder()
{
    const Einstellungen &e = einstellungen;
    ui->SpracheComboBox->setCurrentIndex(e.sprache);
    ui->NameEdit->setText(e.nameMensch1);
    ui->GrosseSchriftCheckBox->setChecked(e.grosseSchrift);
    ui->MarkiereZugCheckBox->setChecked(e.markiereLetztenZug);
    ui->AutoLadenCheckBox->setChecked(e.pgnAutoLaden);
    ui->WertetabelleCheckBox->setChecked(e.htmlWertetabelle);
    ui->BrettDesignComboBox->setCurrentIndex(e.brettdesign);
    ui->AnimationComboBox->setCurrentIndex(e.animation);
    ui->StartphaseEdit->setText(QString::number(e.startEnde));
    ui->ZufallEdit->setText(QString::number(e.zufall));
}

void KonfigurationsDialog::on_okButton_clicked()
{
    Einstellungen &e = einstellungen;
    e.sprache = ui->SpracheComboBox->currentIndex();
    // The games need a name for the human; an emptied field keeps the one there was.
    if (!ui->NameEdit->text().trimmed().isEmpty())
        e.nameMensch1 = ui->NameEdit->text();
    e.grosseSchrift = ui->GrosseSchriftCheckBox->checkState() != Qt::Unchecked;
    e.markiereLetztenZug = ui->MarkiereZugCheckBox->checkState() != Qt::Unchecked;
    // A design number the combo does not know (hand-edited ini) stays as it was.
    if (ui->BrettDesignComboBox->currentIndex() >= 0)
        e.brettdesign = ui->BrettDesignComboBox->currentIndex();
    if (ui->AnimationComboBox->currentIndex() >= 0)
        e.animation = ui->AnimationComboBox->currentIndex();
    e.pgnAutoLaden = ui->AutoLadenCheckBox->checkState() != Qt::Unchecked;
    e.startEnde = zahlAus(ui->StartphaseEdit, 12);
    e.zufall = zahlAus(ui->ZufallEdit, 100);
    e.htmlWertetabelle = ui->WertetabelleCheckBox->checkState() != Qt::Unchecked;
    speichereEinstellungen();
    sprache->ladeSprache(e.sprache);
    done(1);
}

void KonfigurationsDialog::on_cancelButton_clicked()
{
    done(0);
}
