#include "ui/mainwindow.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/startdialog.h"
#include "game/ablaufdienste.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/spielablauf.h"
#include "ui/bilder.h"
#include "ui/brettitems.h"
#include "ui_mainwindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDebug>
#include <QMenu>
#include <QShortcut>
#include <QTimer>

namespace {

const char statusStil[] = "* { background-color: rgb(230, 230, 230); }";
const char meldeStil[] = "* { background-color: rgb(170, 255, 170); }";

QString pgnAusBefehlszeile()
{
    return Controller::startDateiAus(QCoreApplication::arguments().mid(1));
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    registriereBilder();
    ui->setupUi(this);
    verbindeBedienung();

    controller = new Controller(this);
    dienste = std::make_unique<EchteAblaufdienste>();
    ablauf = std::make_unique<Spielablauf>(*controller, *dienste);
    uhrTimer = new QTimer(this);
    uhrTimer->setObjectName(QStringLiteral("uhrTimer"));
    connect(uhrTimer, &QTimer::timeout, this, &MainWindow::onTimerEvent);
    uhrTimer->start(1000);

    ui->tbt_NeuesSpiel->setIcon(QIcon(QStringLiteral(":/Icons/Restart")));
    ui->tbt_SeiteTauschen->setIcon(QIcon(QStringLiteral(":/Icons/SeiteTauschen")));
    ui->tbt_Zurueck->setIcon(QIcon(QStringLiteral(":/Icons/LinkerPfeil")));
    ui->tbt_Info->setIcon(QIcon(QStringLiteral(":/Icons/Information")));
    baueStufenMenue();
    pgnStartDatei = pgnAusBefehlszeile();
    richteZeilenEin();

    baueBrett();
    baueFriedhof();
    setzeTexte();
    verbindeAblauf();
    zeigeProtokoll();
    zeigeStellung();
    zeigeAnzeige();
}

// The flow stops and drops a running job before the window's members go.
MainWindow::~MainWindow()
{
    ablauf.reset();
    dienste.reset();
    delete ui;
}

void MainWindow::verbindeBedienung()
{
    connect(ui->tbt_NeuesSpiel, &QToolButton::clicked, this, &MainWindow::ButtonNeuesSpielClick);
    connect(ui->tbt_SichernLaden, &QToolButton::clicked, this,
            &MainWindow::ButtonSichernLadenClick);
    connect(ui->tbt_SeiteTauschen, &QToolButton::clicked, this,
            &MainWindow::ButtonSeitenwechselClick);
    connect(ui->tbt_Zurueck, &QToolButton::clicked, this, &MainWindow::ButtonZugZurueckClick);
    connect(ui->tbt_Vor, &QToolButton::clicked, this, &MainWindow::ButtonZugVorClick);
    connect(ui->tbt_Info, &QToolButton::clicked, this, &MainWindow::ButtonInfoClick);
    connect(ui->listWidget, &QListWidget::itemSelectionChanged, this,
            &MainWindow::onListItemChanged);

    const QPair<QKeySequence, void (MainWindow::*)()> kuerzel[] = {
        {QKeySequence(Qt::CTRL + Qt::Key_C),
         &MainWindow::on_actionProtokoll_in_Zwischenablage_triggered},
        {QKeySequence(Qt::CTRL + Qt::Key_S), &MainWindow::on_actionPartie_speichern_triggered},
        {QKeySequence(Qt::CTRL + Qt::Key_O), &MainWindow::on_actionPartie_laden_triggered},
        {QKeySequence(Qt::Key_F2), &MainWindow::ButtonNeuesSpielClick},
        {QKeySequence(Qt::Key_F3), &MainWindow::ButtonSeitenwechselClick},
        {QKeySequence(Qt::Key_F4), &MainWindow::onHotkeyButtonZugVorClick},
    };
    for (const auto &k : kuerzel)
        connect(new QShortcut(k.first, this), &QShortcut::activated, this, k.second);
}

// A click on the Info button opens the info box; its arrow offers the levels, the
// configuration and quitting.
void MainWindow::baueStufenMenue()
{
    stufenMenue = new QMenu(ui->tbt_Info);
    stufenGruppe = new QActionGroup(stufenMenue);
    for (int stufe = 0; stufe < 4; ++stufe) {
        QAction *eintrag = stufenMenue->addAction(QString());
        eintrag->setData(stufe);
        eintrag->setCheckable(true);
        stufenGruppe->addAction(eintrag);
    }
    stufenMenue->addSeparator();
    stufenMenue->addAction(QString())->setData(4);
    stufenMenue->addAction(QString())->setData(5);
    stufenMenue->addSeparator();
    stufenMenue->addAction(QString())->setData(6);
    ui->tbt_Info->setMenu(stufenMenue);
    ui->tbt_Info->setPopupMode(QToolButton::MenuButtonPopup);
    connect(stufenMenue, &QMenu::triggered, this, &MainWindow::on_PopupConfigMenu);

    menueStufenGruppe = new QActionGroup(this);
    for (QAction *stufe : {ui->actionSehrEinfach, ui->actionEinfach, ui->actionMittel,
                           ui->actionSchwer, ui->actionSehrSchwer})
        menueStufenGruppe->addAction(stufe);
    const QList<QAction *> stufen = menueStufenGruppe->actions();
    if (einstellungen.schwierigkeit >= 1 && einstellungen.schwierigkeit <= 5)
        stufen[einstellungen.schwierigkeit - 1]->setChecked(true);
    if (einstellungen.schwierigkeit >= 1 && einstellungen.schwierigkeit <= 4)
        stufenGruppe->actions()[einstellungen.schwierigkeit - 1]->setChecked(true);
}

void MainWindow::richteZeilenEin()
{
    QFont uhrSchrift = ui->lblZeitWeiss->font();
    uhrSchrift.setPointSize(14);
    uhrSchrift.setBold(true);
    ui->lblZeitWeiss->setFont(uhrSchrift);
    ui->lblZeitSchwarz->setFont(uhrSchrift);
    QFont meldeSchrift = ui->tEdit_Meldezeile->font();
    meldeSchrift.setPointSize(11);
    ui->tEdit_Meldezeile->setFont(meldeSchrift);
    ui->tEdit_Meldezeile->setStyleSheet(QLatin1String(meldeStil));
    for (QLineEdit *zeile : {ui->tEdit_Statuszeile1, ui->tEdit_Statuszeile2, ui->tEdit_Statuszeile3,
                             ui->tEdit_Statuszeile4}) {
        zeile->setReadOnly(true);
        zeile->setStyleSheet(QLatin1String(statusStil));
    }
}

QString MainWindow::text(int id, const char *deutsch) const
{
    return Languages::instance()->text(id, QString::fromUtf8(deutsch));
}

void MainWindow::setzeTexte()
{
    QFont listenSchrift(QStringLiteral("Courier New"));
    listenSchrift.setStyleHint(QFont::Monospace);
    listenSchrift.setPointSize(einstellungen.grosseSchrift ? 11 : 9);
    ui->listWidget->setFont(listenSchrift);
    if (einstellungen.grosseSchrift)
        resize(1000, 690);
    else
        resize(947, 692);

    setzeVorKnopf(ablauf->vorKnopfZugVor());
    setzeSichernKnopf(ablauf->ungespeichert());
    ui->tbt_NeuesSpiel->setToolTip(text(200, "Neues Spiel"));
    ui->tbt_SeiteTauschen->setToolTip(text(74, "Figurentausch"));
    ui->tbt_Zurueck->setToolTip(text(205, "Zug zurück"));
    ui->tbt_Info->setToolTip(text(209, "Info"));
    ui->menuDatei->setTitle(text(50, "Datei"));
    ui->menuSpiel->setTitle(text(70, "Spiel"));
    ui->menuEinstellungen->setTitle(text(90, "Einstellungen"));
    ui->actionPartie_laden->setText(text(53, "Partie laden"));
    ui->actionPartie_speichern->setText(text(54, "Partie speichern"));
    ui->actionProtokoll_in_Zwischenablage->setText(text(56, "Protokoll in Zwischenablage"));
    ui->action_Beenden->setText(text(58, "Beenden"));
    ui->actionFen_Export_in_Zwischenablage->setText(text(76, "Export FEN in Zwischenablage"));
    ui->actionFen_Import_aus_Zwischenablage->setText(text(120, "Import FEN aus Zwischenablage"));
    ui->actionSehrEinfach->setText(text(94, "Sehr einfach"));
    ui->actionEinfach->setText(text(95, "Einfach"));
    ui->actionMittel->setText(text(96, "Mittel"));
    ui->actionSchwer->setText(text(97, "Schwer"));
    ui->actionSehrSchwer->setText(text(98, "Sehr schwer"));
    ui->actionKonfiguration->setText(text(99, "Konfiguration"));
    ui->lblZeitWeissBeschriftung->setText(text(190, "Zeit Weiß"));
    ui->lblZeitSchwarzBeschriftung->setText(text(191, "Zeit Schwarz"));

    const QList<QAction *> eintraege = stufenMenue->actions();
    const QString menueTexte[] = {
        text(94, "Sehr einfach"),  text(95, "Einfach"), text(96, "Mittel"),
        text(97, "Schwer"),        QString(),           text(209, "Info"),
        text(99, "Konfiguration"), QString(),           text(59, "Beenden")};
    for (int i = 0; i < eintraege.size(); ++i) {
        if (!eintraege[i]->isSeparator())
            eintraege[i]->setText(menueTexte[i]);
    }

    const QLocale::Language sprachen[] = {QLocale::German, QLocale::English, QLocale::French};
    const QLocale ort(sprachen[qBound(0, einstellungen.sprache, 2)]);
    QLocale::setDefault(ort);
    setLocale(ort);
    entferneMarkierungen();
    zeigeMarken();
    ui->graphicsView->setStyleSheet(einstellungen.brettdesign == 1
                                        ? QStringLiteral("background-color: rgb(252, 227, 197);")
                                        : QStringLiteral("background-color: transparent;"));
}

// The game that follows starts in the chosen language.
void MainWindow::showStartDialog()
{
    einstellungen.sprache = 0;
    StartDialog dialog(this);
    {
        const Spielablauf::Dialog offen(*ablauf);
        dialog.exec();
    }
    speichereEinstellungen();
    Languages::instance()->ladeSprache(einstellungen.sprache);
    setzeTexte();
    ablauf->spracheGewechselt();
}

void MainWindow::on_PopupConfigMenu(QAction *p_Action)
{
    switch (p_Action->data().toInt()) {
    case 0: on_actionSehrEinfach_triggered(); break;
    case 1: on_actionEinfach_triggered(); break;
    case 2: on_actionMittel_triggered(); break;
    case 3: on_actionSchwer_triggered(); break;
    case 4: ButtonInfoClick(); break;
    case 5: on_actionKonfiguration_triggered(); break;
    case 6: close(); break;
    }
}

// The first tick, a second after start-up, greets a new player and restores the last game;
// later ticks run the clock of the side to move.
void MainWindow::onTimerEvent()
{
    if (!ersterTick) {
        ablauf->uhrTick();
        return;
    }
    ersterTick = false;
    if (einstellungen.sprache == -1 && schreibrechtGefunden)
        showStartDialog();
    ablauf->starteSitzung();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    qDebug("TerminateApplication");
    uhrTimer->stop();
    ablauf->beende();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    ui->OberstesLayout->setDirection(width() < height() ? QBoxLayout::TopToBottom
                                                        : QBoxLayout::LeftToRight);
    skaliereBrett();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    skaliereBrett();
}
