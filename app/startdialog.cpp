#include "app/startdialog.h"

#include "app/einstellungen.h"
#include "ui/bilder.h"
#include "ui/schrift.h"
#include "ui_startdialog.h"

#include <QPixmap>

namespace {

const QSize symbolGroesse(40, 40);

void setzeFahne(QToolButton *knopf, const QString &bild)
{
    QPixmap fahne(bild);
    fahne.setDevicePixelRatio(1.0);
    knopf->setIconSize(symbolGroesse);
    knopf->setIcon(fahne);
}

} // namespace

StartDialog::StartDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::StartDialog)
{
    registriereBilder();
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("Brakmor"));

    // The greeting keeps its large font; the prompts get the reading size.
    QList<QLabel *> labels = findChildren<QLabel *>();
    labels.removeOne(ui->label);
    setzePunktgroesse(labels, 11);
    ui->NameEdit->setText(einstellungen.nameMensch1);
    setzeFahne(ui->DeutschButton, QStringLiteral(":/Icons/FahneDeutsch"));
    setzeFahne(ui->EnglischButton, QStringLiteral(":/Icons/FahneGrossbritanien"));
    setzeFahne(ui->FranzoesischButton, QStringLiteral(":/Icons/FahneFrankreich"));

    // The form's width, unless the fonts of this desktop need more; the picture spans it.
    setFixedWidth(qMax(width(), minimumSizeHint().width()));
    const QPixmap kopf(QStringLiteral(":/Bilder/Headimg"));
    ui->label_Pix->setPixmap(kopf.scaledToWidth(width() - 9, Qt::FastTransformation));
    setFixedHeight(qMax(height(), minimumSizeHint().height()));
    ui->NameEdit->selectAll();
}

StartDialog::~StartDialog()
{
    delete ui;
}

void StartDialog::on_DeutschButton_clicked()
{
    waehleSprache(0);
}

void StartDialog::on_EnglischButton_clicked()
{
    waehleSprache(1);
}

void StartDialog::on_FranzoesischButton_clicked()
{
    waehleSprache(2);
}

void StartDialog::waehleSprache(int sprache)
{
    const QString name = ui->NameEdit->text();
    if (!name.isEmpty())
        einstellungen.nameMensch1 = name;
    einstellungen.sprache = sprache;
    done(1);
}
