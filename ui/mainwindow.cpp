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
#include <QMouseEvent>
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
    connect(ui->actionNeues_Spiel, &QAction::triggered, this, &MainWindow::ButtonNeuesSpielClick);
    connect(ui->actionSeitenwechsel, &QAction::triggered, this,
            &MainWindow::ButtonSeitenwechselClick);
    connect(ui->actionVorschlag, &QAction::triggered, this, &MainWindow::onHotkeyButtonZugVorClick);
    // Drags of a piece are followed on the board view.
    ui->graphicsView->viewport()->installEventFilter(this);

    // The keys work through shortcuts on the window; the menu entries only show them.
    struct Kuerzel
    {
        QKeySequence taste;
        void (MainWindow::*aktion)();
        QAction *eintrag;
    };
    const Kuerzel kuerzel[] = {
        {QKeySequence(Qt::CTRL + Qt::Key_C),
         &MainWindow::on_actionProtokoll_in_Zwischenablage_triggered,
         ui->actionProtokoll_in_Zwischenablage},
        {QKeySequence(Qt::CTRL + Qt::Key_S), &MainWindow::on_actionPartie_speichern_triggered,
         ui->actionPartie_speichern},
        {QKeySequence(Qt::CTRL + Qt::Key_O), &MainWindow::on_actionPartie_laden_triggered,
         ui->actionPartie_laden},
        {QKeySequence(Qt::Key_F2), &MainWindow::ButtonNeuesSpielClick, ui->actionNeues_Spiel},
        {QKeySequence(Qt::Key_F3), &MainWindow::ButtonSeitenwechselClick, ui->actionSeitenwechsel},
        {QKeySequence(Qt::Key_F4), &MainWindow::onHotkeyButtonZugVorClick, ui->actionVorschlag},
        {QKeySequence(Qt::CTRL + Qt::Key_F), &MainWindow::on_actionBrett_drehen_triggered,
         ui->actionBrett_drehen},
        {QKeySequence(Qt::CTRL + Qt::Key_E), &MainWindow::on_actionPartie_exportieren_triggered,
         ui->actionPartie_exportieren},
    };
    for (const Kuerzel &k : kuerzel) {
        connect(new QShortcut(k.taste, this), &QShortcut::activated, this, k.aktion);
        tasten.insert(k.eintrag, k.taste);
    }
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
    // The buttons may shrink with the panel; skaliereBrett fits their icons to its width.
    for (QToolButton *knopf : {ui->tbt_NeuesSpiel, ui->tbt_SeiteTauschen, ui->tbt_SichernLaden,
                               ui->tbt_Vor, ui->tbt_Zurueck, ui->tbt_Info})
        knopf->setMinimumSize(24, 24);
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
    ui->actionPartie_exportieren->setText(text(132, "Partie als PGN-Datei exportieren") +
                                          QLatin1String("..."));
    ui->actionNeues_Spiel->setText(text(200, "Neues Spiel"));
    ui->actionSeitenwechsel->setText(text(74, "Figurentausch"));
    ui->actionVorschlag->setText(text(203, "Vorschlag"));
    ui->actionBrett_drehen->setText(text(130, "Brett drehen"));
    ui->actionBrett_drehen->setChecked(einstellungen.brettGedreht);
    ui->actionAufgeben->setText(text(131, "Aufgeben"));
    // The text after a tab stands in the menu's key column.
    for (auto t = tasten.cbegin(); t != tasten.cend(); ++t)
        t.key()->setText(t.key()->text() + QLatin1Char('\t') +
                         t.value().toString(QKeySequence::NativeText));
    ui->lblZeitWeissBeschriftung->setText(text(190, "Zeit Weiß"));
    ui->lblZeitSchwarzBeschriftung->setText(text(191, "Zeit Schwarz"));
    ui->tEdit_Statuszeile1->setToolTip(
        QStringList({text(550, "Suche des letzten Computerzugs"),
                     text(551, "Phase: M Mittelspiel, s Eröffnung, S frühe Eröffnung, E Gegner "
                               "schwach, R Königsjagd, W Bauernendspiel, - ohne Bewertung"),
                     text(552, "T Suchtiefe, dann Zahl der Züge (nach / vor der Vertiefung); Z "
                               "abgeschwächte Wahl"),
                     text(553, "Abbruch: die Suche wurde vorzeitig beendet")})
            .join(QLatin1Char('\n')));
    ui->tEdit_Statuszeile2->setToolTip(
        text(554, "Rechenzeit des letzten Computerzugs in Millisekunden"));
    ui->tEdit_Statuszeile3->setToolTip(text(
        555, "Rochaderechte der Stellung: K/Q Weiß kurz/lang, k/q Schwarz kurz/lang, - keine"));
    ui->tEdit_Statuszeile4->setToolTip(text(556, "Schwierigkeitsstufe des Computers"));

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

// Upright, the panel below the board runs in two columns, the move list beside clocks and status
// lines, so the board keeps the width of the window and the panel needs little height.
void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    const bool hochkant = width() < height();
    ui->OberstesLayout->setDirection(hochkant ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    ui->HauptLayout->setDirection(hochkant ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    ui->HauptLayout->setStretch(0, 1);
    ui->HauptLayout->setStretch(1, hochkant ? 1 : 0);
    skaliereBrett();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    skaliereBrett();
}

bool MainWindow::eventFilter(QObject *objekt, QEvent *ereignis)
{
    if (objekt == ui->graphicsView->viewport()) {
        if (ereignis->type() == QEvent::MouseMove) {
            ziehe(static_cast<const QMouseEvent *>(ereignis));
        } else if (ereignis->type() == QEvent::MouseButtonRelease) {
            const auto *maus = static_cast<const QMouseEvent *>(ereignis);
            if (maus->button() == Qt::LeftButton)
                legeAb(maus);
        }
    }
    return QMainWindow::eventFilter(objekt, ereignis);
}
