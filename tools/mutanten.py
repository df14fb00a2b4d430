#!/usr/bin/env python3
"""Mutation testing for Brakmor: how many plausible faults does the test suite catch?

Each mutant of the list (tools/mutanten.txt) replaces one exact text of one source file. The tool
keeps a copy of the work tree and a Release build of its own (ccache), applies one mutant at a
time to the copy, rebuilds incrementally and runs the ctest suite. A mutant is killed when the
build's tests fail or hang past the time limit, survives when they pass, and is no longer
applicable when its text is not found exactly once. Mutants marked equivalent are not run and
count for neither side.

The tests run in two rounds: first the quick ones, then, only if they all passed, the slow ones;
a survivor has therefore run the whole suite, a killed mutant stops at the first round that fails.

    tools/mutanten.py                       # every mutant
    tools/mutanten.py -n 1-10,14            # by number
    tools/mutanten.py -d core/fen.cpp game/ # by file or folder
    tools/mutanten.py --liste               # the list with numbers, nothing is run
    tools/mutanten.py --pruefen             # which mutants still apply, nothing is built
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

WURZEL = Path(__file__).resolve().parent.parent
STANDARD_LISTE = WURZEL / "tools" / "mutanten.txt"
STANDARD_ARBEIT = WURZEL.parent / (WURZEL.name + "-mutanten")
SCHNELL_SEKUNDEN = 3.0


@dataclass
class Mutant:
    nummer: int
    datei: str
    alt: str
    neu: str
    grund: str = ""
    aequivalent: str = ""
    zeile: int = 0


@dataclass
class Ergebnis:
    mutant: Mutant
    art: str  # getoetet, ueberlebt, entfallen, aequivalent, baut-nicht
    test: str = ""
    sekunden: float = 0.0


def entschluessele(text):
    return text.replace("⏎", "\n")


def lies_liste(pfad):
    """Blocks separated by blank lines: '@ file', 'alt:', 'neu:', 'grund:', optional 'aequivalent:'."""
    mutanten = []
    block = {}
    zeile_block = 0

    def abschliessen():
        if not block:
            return
        for schluessel in ("datei", "alt", "neu"):
            if schluessel not in block:
                sys.exit(f"{pfad}:{zeile_block}: '{schluessel}' fehlt im Block")
        mutanten.append(Mutant(len(mutanten) + 1, block["datei"], entschluessele(block["alt"]),
                               entschluessele(block["neu"]), block.get("grund", ""),
                               block.get("aequivalent", ""), zeile_block))
        block.clear()

    for nummer, zeile in enumerate(Path(pfad).read_text(encoding="utf-8").splitlines(), 1):
        if zeile.startswith("#"):
            continue
        if not zeile.strip():
            abschliessen()
            continue
        if not block:
            zeile_block = nummer
        if zeile.startswith("@ "):
            block["datei"] = zeile[2:].strip()
            continue
        schluessel, _, wert = zeile.partition(":")
        if schluessel not in ("alt", "neu", "grund", "aequivalent") or not _:
            sys.exit(f"{pfad}:{nummer}: unbekannte Zeile: {zeile}")
        block[schluessel] = wert[1:] if wert.startswith(" ") else wert
    abschliessen()
    return mutanten


def waehle(mutanten, nummern, dateien):
    gewaehlt = mutanten
    if nummern:
        erlaubt = set()
        for teil in nummern.split(","):
            von, _, bis = teil.partition("-")
            erlaubt.update(range(int(von), int(bis or von) + 1))
        gewaehlt = [m for m in gewaehlt if m.nummer in erlaubt]
    if dateien:
        gewaehlt = [m for m in gewaehlt if any(m.datei.startswith(d) for d in dateien)]
    return gewaehlt


def anwendbar(quelle, mutant):
    pfad = quelle / mutant.datei
    return pfad.is_file() and pfad.read_text(encoding="utf-8").count(mutant.alt) == 1


def lauf(befehl, **kwargs):
    return subprocess.run(befehl, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          **kwargs)


def gleiche_ab(quelle, kopie):
    """Brings the copy to the work tree's files (committed or not); unchanged files keep their
    time stamps, so the build stays incremental."""
    dateien = lauf(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=quelle).stdout
    gesehen = set()
    for name in filter(None, dateien.split("\0")):
        von = quelle / name
        if not von.is_file():
            continue
        gesehen.add(name)
        nach = kopie / name
        inhalt = von.read_bytes()
        if nach.is_file() and nach.read_bytes() == inhalt:
            continue
        nach.parent.mkdir(parents=True, exist_ok=True)
        nach.write_bytes(inhalt)
        shutil.copymode(von, nach)
    for pfad in kopie.rglob("*"):
        if pfad.is_file() and str(pfad.relative_to(kopie)) not in gesehen:
            pfad.unlink()


class Platz:
    """One copy of the tree with its own build folder."""

    def __init__(self, ordner, jobs, ohne, zeitlimit):
        self.quelle = ordner / "quelle"
        self.bau = ordner / "bau"
        self.jobs = jobs
        self.ohne = ohne
        self.zeitlimit = zeitlimit
        self.dauer = {}
        self.umgebung = dict(os.environ, CCACHE_BASEDIR=str(ordner), QT_QPA_PLATFORM="offscreen")

    def richte_ein(self):
        self.quelle.mkdir(parents=True, exist_ok=True)
        gleiche_ab(WURZEL, self.quelle)
        befehl = ["cmake", "-S", str(self.quelle), "-B", str(self.bau), "-DCMAKE_BUILD_TYPE=Release",
                  "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
        if shutil.which("ld.lld"):
            befehl += ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"]
        ausgabe = lauf(befehl, env=self.umgebung)
        if ausgabe.returncode != 0:
            sys.exit("cmake schlug fehl:\n" + ausgabe.stdout)
        if not self.baue():
            sys.exit("Der unveränderte Baum baut nicht:\n" + self.letzte_ausgabe)
        tests = self.alle_tests()
        fehler, _ = self.pruefe(tests, messen=True)
        if fehler:
            sys.exit(f"Die Tests schlagen schon ohne Mutant fehl ({fehler}):\n" + self.letzte_ausgabe)

    def baue(self):
        ausgabe = lauf(["cmake", "--build", str(self.bau), "-j", str(self.jobs)], env=self.umgebung)
        self.letzte_ausgabe = ausgabe.stdout[-4000:]
        return ausgabe.returncode == 0

    def alle_tests(self):
        ausgabe = lauf(["ctest", "-N"], cwd=self.bau).stdout
        namen = re.findall(r"Test\s+#\d+: (\S+)", ausgabe)
        if self.ohne:
            namen = [n for n in namen if not re.search(self.ohne, n)]
        return namen

    def ctest(self, namen):
        muster = "^(" + "|".join(re.escape(n) for n in namen) + ")$"
        befehl = ["ctest", "-j", str(self.jobs), "-R", muster, "--timeout", str(self.zeitlimit)]
        ausgabe = lauf(befehl, cwd=self.bau, env=self.umgebung)
        self.letzte_ausgabe = ausgabe.stdout[-4000:]
        gescheitert = re.findall(r"\d+ - (\S+) \(", ausgabe.stdout)
        for name, sekunden in re.findall(r"Test\s+#\d+: (\S+) \.+\s+Passed\s+([\d.]+) sec",
                                         ausgabe.stdout):
            self.dauer.setdefault(name, float(sekunden))
        if ausgabe.returncode != 0 and not gescheitert:
            gescheitert = ["ctest"]
        return ", ".join(gescheitert)

    def pruefe(self, tests, messen=False):
        """Runs the quick tests, then the slow ones; returns the failing tests (empty: passed)."""
        start = time.monotonic()
        if messen:
            return self.ctest(tests), time.monotonic() - start
        schnell = [t for t in tests if self.dauer.get(t, 0) < SCHNELL_SEKUNDEN]
        langsam = [t for t in tests if t not in schnell]
        for runde in (schnell, langsam):
            if runde:
                fehler = self.ctest(runde)
                if fehler:
                    return fehler, time.monotonic() - start
        return "", time.monotonic() - start

    def teste(self, mutant):
        pfad = self.quelle / mutant.datei
        original = pfad.read_text(encoding="utf-8")
        if original.count(mutant.alt) != 1:
            return Ergebnis(mutant, "entfallen")
        pfad.write_text(original.replace(mutant.alt, mutant.neu), encoding="utf-8")
        try:
            if not self.baue():
                return Ergebnis(mutant, "baut-nicht", self.letzte_ausgabe.strip().splitlines()[-1])
            fehler, sekunden = self.pruefe(self.alle_tests())
            return Ergebnis(mutant, "getoetet" if fehler else "ueberlebt", fehler, sekunden)
        finally:
            pfad.write_text(original, encoding="utf-8")


def zeige(ergebnis, datei):
    m = ergebnis.mutant
    wort = {"getoetet": "killed", "ueberlebt": "SURVIVED", "entfallen": "not applicable",
            "aequivalent": "equivalent", "baut-nicht": "DOES NOT BUILD"}[ergebnis.art]
    zeile = f"{m.nummer:4} {wort:15} {m.datei:28} {m.grund}"
    if ergebnis.art == "getoetet":
        zeile += f"  [{ergebnis.test}, {ergebnis.sekunden:.0f} s]"
    elif ergebnis.art == "aequivalent":
        zeile += f"  [{m.aequivalent}]"
    elif ergebnis.art == "baut-nicht":
        zeile += f"  [{ergebnis.test}]"
    print(zeile, flush=True)
    if datei:
        datei.write(zeile + "\n")
        datei.flush()


def zusammenfassung(ergebnisse):
    zahl = {art: sum(1 for e in ergebnisse if e.art == art)
            for art in ("getoetet", "ueberlebt", "entfallen", "aequivalent", "baut-nicht")}
    gewertet = zahl["getoetet"] + zahl["ueberlebt"]
    anteil = 100.0 * zahl["getoetet"] / gewertet if gewertet else 0.0
    return (f"killed {zahl['getoetet']}, survived {zahl['ueberlebt']}, not applicable "
            f"{zahl['entfallen']}, equivalent {zahl['aequivalent']}, not building "
            f"{zahl['baut-nicht']}: score {anteil:.1f} % ({zahl['getoetet']}/{gewertet})")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--mutanten", default=str(STANDARD_LISTE), help="the mutant list")
    parser.add_argument("--arbeit", default=str(STANDARD_ARBEIT),
                        help="folder for the copies and their builds (default: %(default)s)")
    parser.add_argument("-n", "--nummern", help="numbers to run, e.g. 1-10,14")
    parser.add_argument("-d", "--dateien", nargs="*", help="files or folders whose mutants run")
    parser.add_argument("-j", "--jobs", type=int, default=2, help="build and ctest jobs")
    parser.add_argument("--zeitlimit", type=int, default=300,
                        help="seconds a test may run; a test that hangs kills its mutant")
    parser.add_argument("--ohne", help="regular expression of tests left out of the runs")
    parser.add_argument("--liste", action="store_true", help="print the list, run nothing")
    parser.add_argument("--pruefen", action="store_true",
                        help="report which mutants no longer apply, build nothing")
    args = parser.parse_args()

    mutanten = waehle(lies_liste(args.mutanten), args.nummern, args.dateien)
    if args.liste or args.pruefen:
        for m in mutanten:
            fehlt = args.pruefen and not anwendbar(WURZEL, m)
            if args.liste or fehlt:
                print(f"{m.nummer:4} {'not applicable ' if fehlt else ''}{m.datei}: {m.grund}")
        return

    ordner = Path(args.arbeit)
    platz = Platz(ordner, args.jobs, args.ohne, args.zeitlimit)
    print(f"Preparing {platz.quelle} and building {platz.bau} ...", flush=True)
    platz.richte_ein()
    ergebnisse = []
    with open(ordner / "ergebnis.txt", "w", encoding="utf-8") as protokoll:
        for m in mutanten:
            ergebnis = Ergebnis(m, "aequivalent") if m.aequivalent else platz.teste(m)
            ergebnisse.append(ergebnis)
            zeige(ergebnis, protokoll)
        platz.baue()
        summe = zusammenfassung(ergebnisse)
        print(summe)
        protokoll.write(summe + "\n")


if __name__ == "__main__":
    main()
