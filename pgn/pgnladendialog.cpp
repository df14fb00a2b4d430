#include "pgn/pgnladendialog.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/rueckfragen.h"
#include "ui/bilder.h"
#include "ui/links.h"
#include "ui_pgnladendialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QUrl>

#include <algorithm>

namespace {

const Qt::Alignment linksbuendig = Qt::AlignLeft | Qt::AlignVCenter;
const Qt::Alignment rechts = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment mitte = Qt::AlignCenter;

struct Spalte
{
    int id; // 0: the header is the fixed text
    const char *kopf;
    int breite;
    Qt::Alignment ausrichtung;
    QString (*inhalt)(const Pgn &);
};

QString zahl(int wert)
{
    return QString::number(wert);
}

const Spalte spalten[] = {
    {1313, "Bezeichnung", 225, linksbuendig,
     [](const Pgn &p) { return QLatin1Char(' ') + p.event; }},
    {1404, "Spielort", 127, linksbuendig, [](const Pgn &p) { return p.site; }},
    {1310, "Datu", 58, mitte,
     [](const Pgn &p) {
         return p.datum.isValid() ? p.datum.toString(QStringLiteral("dd.MM.yy")) : p.datumText;
     }},
    {0, "F", 19, mitte,
     [](const Pgn &p) { return p.fen.isEmpty() ? QString() : QStringLiteral("F"); }},
    {1403, "Rund", 49, rechts, [](const Pgn &p) { return zahl(p.runde); }},
    {0, "ECO", 39, mitte, [](const Pgn &p) { return p.eco; }},
    {1311, "Name Weiß", 127, linksbuendig, [](const Pgn &p) { return QLatin1Char(' ') + p.weiss; }},
    {0, "ELO", 39, rechts, [](const Pgn &p) { return zahl(p.weissElo); }},
    {1312, "Name Schwarz", 127, linksbuendig,
     [](const Pgn &p) { return QLatin1Char(' ') + p.schwarz; }},
    {0, "ELO", 39, rechts, [](const Pgn &p) { return zahl(p.schwarzElo); }},
    {1314, "Ergebnis", 68, mitte, [](const Pgn &p) { return p.ergebnis; }},
};

} // namespace

PgnLadenDialog::PgnLadenDialog(const QString &dateiname, const QList<Pgn> &partien, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::PgnLadenDialog)
    , sprache(Languages::instance())
    , partien(partien)
{
    registriereBilder();
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(980, 653);
    setWindowTitle(sprache->text(1400, QStringLiteral("Partie laden")));
    richteKnoepfeEin();
    fuelleTabelle();
    zeigeDatei(dateiname);

    // Shown as stored; the switch saves and reloads only when the user flips it.
    const QSignalBlocker stumm(ui->AppDirCheckBox);
    ui->AppDirCheckBox->setChecked(einstellungen.pgnLadenAusAppVerzeichnis);
    ui->AppDirCheckBox->setEnabled(!einstellungen.pgnLadeDateiname.isEmpty());
}

PgnLadenDialog::~PgnLadenDialog()
{
    delete ui;
}

void PgnLadenDialog::richteKnoepfeEin()
{
    const struct
    {
        QPushButton *knopf;
        const char *bild;
        int id;
        const char *fallback;
        void (PgnLadenDialog::*slot)();
    } knoepfe[] = {
        {ui->cancelButton, ":/Icons/Abbruch", 220, "Abbruch", &PgnLadenDialog::CancelClick},
        {ui->deleteButton, ":/Icons/EmptyTrashGreen", 211, "Partie löschen",
         &PgnLadenDialog::DeleteClick},
        {ui->okButton, ":/Icons/Fertig", 215, "Ausgewählte Partie laden", &PgnLadenDialog::OkClick},
    };
    for (const auto &k : knoepfe) {
        k.knopf->setIconSize(QSize(40, 40));
        k.knopf->setIcon(QIcon(QString::fromLatin1(k.bild)));
        k.knopf->setToolTip(sprache->text(k.id, QString::fromUtf8(k.fallback)));
        connect(k.knopf, &QPushButton::clicked, this, k.slot);
    }
    ui->deleteButton->setEnabled(false);
    ui->okButton->setEnabled(false);
}

void PgnLadenDialog::fuelleTabelle()
{
    QTableWidget *tabelle = ui->tableWidget;
    const int spaltenZahl = int(std::size(spalten));
    tabelle->setColumnCount(spaltenZahl);
    tabelle->setRowCount(partien.size());
    QStringList koepfe;
    for (const Spalte &s : spalten) {
        const QString kopf = QString::fromUtf8(s.kopf);
        koepfe << (s.id ? sprache->text(s.id, kopf) : kopf);
    }
    tabelle->setHorizontalHeaderLabels(koepfe);
    for (int zeile = 0; zeile < partien.size(); ++zeile) {
        for (int spalte = 0; spalte < spaltenZahl; ++spalte) {
            auto *zelle = new QTableWidgetItem(spalten[spalte].inhalt(partien[zeile]));
            zelle->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            zelle->setTextAlignment(int(spalten[spalte].ausrichtung));
            tabelle->setItem(zeile, spalte, zelle);
        }
    }
    QHeaderView *kopfzeile = tabelle->horizontalHeader();
    for (int spalte = 0; spalte < spaltenZahl; ++spalte) {
        tabelle->setColumnWidth(spalte, spalten[spalte].breite);
        // The widths suit a small desktop font; with a larger one the short columns (dates,
        // numbers, results) grow to their content rather than cut it off. Names may be cut.
        if (spalten[spalte].ausrichtung != linksbuendig) {
            tabelle->resizeColumnToContents(spalte);
            tabelle->setColumnWidth(spalte,
                                    qMax(spalten[spalte].breite, tabelle->columnWidth(spalte)));
        }
        if (spalte < 2)
            kopfzeile->setSectionResizeMode(spalte, QHeaderView::Stretch);
    }
    if (partien.size() == 1)
        tabelle->selectRow(0);
}

void PgnLadenDialog::zeigeDatei(const QString &dateiname)
{
    ui->DateiNameGroupBox->setTitle(QLatin1String("PGN-") +
                                    sprache->text(9520, QStringLiteral("Dateiname")));
    zeigeLink(ui->PGN_DateinameLabel, QUrl::fromLocalFile(QFileInfo(dateiname).absolutePath()),
              dateiname);
}

QList<int> PgnLadenDialog::gewaehlteZeilen() const
{
    QList<int> zeilen;
    for (const QModelIndex &index : ui->tableWidget->selectionModel()->selectedRows())
        zeilen << index.row();
    std::sort(zeilen.begin(), zeilen.end());
    return zeilen;
}

void PgnLadenDialog::on_tableWidget_itemSelectionChanged()
{
    const QList<QTableWidgetSelectionRange> bloecke = ui->tableWidget->selectedRanges();
    const int anzahl = bloecke.size() == 1 ? bloecke.first().rowCount() : bloecke.size();
    ui->deleteButton->setEnabled(anzahl > 0);
    ui->okButton->setEnabled(anzahl == 1);
}

void PgnLadenDialog::OkClick()
{
    const QList<QTableWidgetSelectionRange> bloecke = ui->tableWidget->selectedRanges();
    if (!bloecke.isEmpty())
        lade(bloecke.first().topRow());
}

void PgnLadenDialog::on_tableWidget_doubleClicked(const QModelIndex &index)
{
    // The game under the pointer, whatever else a held Ctrl or Shift kept selected.
    lade(index.row());
}

void PgnLadenDialog::lade(int zeile)
{
    gewaehlt = partien.at(zeile);
    done(Laden);
}

void PgnLadenDialog::CancelClick()
{
    done(LadenAbgebrochen);
}

void PgnLadenDialog::DeleteClick()
{
    const QList<int> zeilen = gewaehlteZeilen();
    if (zeilen.isEmpty())
        return;
    const QString frage =
        zeilen.size() == 1
            ? sprache->text(661, QString::fromUtf8("Möchten Sie die ausgewählte Partie löschen?"))
            // The tables' second part begins with a blank of its own.
            : QStringLiteral("%1 %2 %3")
                  .arg(sprache->text(662, QString::fromUtf8("Möchten Sie die")).trimmed())
                  .arg(zeilen.size())
                  .arg(sprache->text(663, QString::fromUtf8(" Partie(n) löschen?")).trimmed());
    QMessageBox box(QMessageBox::Question, QStringLiteral("Brakmor"),
                    sprache->text(660, QString::fromUtf8("Partien löschen")),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setInformativeText(frage);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;

    bereiche.clear();
    for (auto zeile = zeilen.crbegin(); zeile != zeilen.crend(); ++zeile) {
        const int naechste = *zeile + 1;
        const int ende = naechste < partien.size() ? partien[naechste].position - 1 : -1;
        bereiche << Bereich{partien[*zeile].position, ende};
    }
    done(Loeschen);
}

void PgnLadenDialog::on_pathButton_clicked()
{
    QFileDialog auswahl(this);
    auswahl.setFileMode(QFileDialog::ExistingFile);
    auswahl.setNameFilter(QStringLiteral("*.pgn"));
    auswahl.setViewMode(QFileDialog::Detail);
    if (einstellungen.pgnLadeDateiname.isEmpty())
        auswahl.setDirectory(appVerzeichnis);
    else
        auswahl.selectFile(einstellungen.pgnLadeDateiname);
    if (auswahl.exec() != QDialog::Accepted || auswahl.selectedFiles().isEmpty())
        return;
    einstellungen.pgnLadeDateiname = QDir::toNativeSeparators(auswahl.selectedFiles().first());
    einstellungen.pgnLadenAusAppVerzeichnis = false;
    speichereEinstellungen();
    done(NeuLesen);
}

void PgnLadenDialog::on_AppDirCheckBox_toggled(bool p_Checked)
{
    einstellungen.pgnLadenAusAppVerzeichnis = p_Checked;
    speichereEinstellungen();
    done(NeuLesen);
}
