#include "ui/infodialog.h"

#include "app/languages.h"
#include "app/programm.h"
#include "ui/bilder.h"
#include "ui/links.h"
#include "ui/schrift.h"
#include "ui_infodialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

InfoDialog::InfoDialog(QWidget *parent, const QString &stempel)
    : QDialog(parent)
    , ui(new Ui::InfoDialog)
{
    registriereBilder();
    ui->setupUi(this);
    connect(ui->OKButton, &QPushButton::clicked, this, &InfoDialog::ButtonClick);
    sprache = Languages::instance();
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    const QPixmap kopf(QStringLiteral(":/Bilder/Headimg"));
    ui->label_Pix->setPixmap(kopf.scaledToWidth(330, Qt::FastTransformation));
    ui->OKButton->setIconSize(QSize(40, 40));
    ui->OKButton->setIcon(QIcon(QStringLiteral(":/Icons/Fertig")));

    // The product name keeps its larger title font.
    QList<QLabel *> labels = findChildren<QLabel *>();
    labels.removeOne(ui->label);
    setzePunktgroesse(labels, 11);
    setzeTexte(stempel);

    // The form's size, unless picture and fonts need more room.
    setFixedSize(size().expandedTo(minimumSizeHint()));
}

InfoDialog::~InfoDialog()
{
    delete ui;
}

void InfoDialog::setzeTexte(const QString &stempel)
{
    ui->label->setText(QString::fromUtf8(PROGRAMM_NAME));
    ui->VersionLabel->setText(sprache->text(9400, QStringLiteral("Vers")));
    ui->AutorLabel->setText(sprache->text(9405, QStringLiteral("Auto")));
    ui->DatumLabel->setText(sprache->text(9410, QStringLiteral("Datu")));
    ui->HomepageLabel->setText(sprache->text(9415, QStringLiteral("Home")));
    ui->EMailLabel->setText(sprache->text(9420, QStringLiteral("EMai")));

    // There is no mail address to show. The home page is the documentation installed beside the
    // program; without it the row goes too.
    ui->EMailLabel->hide();
    ui->EMailOutLabel->hide();
    const QString anleitung = anleitungsDatei();
    ui->HomepageLabel->setVisible(!anleitung.isEmpty());
    ui->HomepageOutLabel->setVisible(!anleitung.isEmpty());
    if (!anleitung.isEmpty())
        zeigeLink(ui->HomepageOutLabel, QUrl::fromLocalFile(anleitung),
                  sprache->text(9416, QStringLiteral("Anleitung (README)")));
    ui->AutorOutLabel->setText(QString::fromUtf8(HERSTELLER_NAME));
    ui->VersionOutLabel->setText(QString::fromUtf8(PROGRAMM_VERSION));
    ui->DatumOutLabel->setText(stempel);
}

void InfoDialog::ButtonClick()
{
    accept();
}

QString anleitungsDatei()
{
    const QFileInfo datei(QCoreApplication::applicationDirPath() +
                          QLatin1String("/" BRAKMOR_DOKU "/README.md"));
    return datei.isFile() ? datei.canonicalFilePath() : QString();
}

QString bauStempel()
{
    return bauStempel(__DATE__, __TIME__);
}

QString bauStempel(const char *datum, const char *zeit)
{
    // The compiler pads a one-digit day with a blank; the stamp shows single blanks.
    return QString::fromLatin1(datum).simplified() + QLatin1String("   ") +
           QString::fromLatin1(zeit);
}
