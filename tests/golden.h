#pragma once

#include <QFile>
#include <QStringList>
#include <QtTest>

// Expected outputs live in tests/data. A test builds its whole output as text and compares it
// with the file line by line; with BRAKMOR_NEU_SCHREIBEN=1 in the environment it writes the file
// instead, so that a deliberate change shows as a reviewable diff of the data.
inline QStringList datenZeilen(const QString &name)
{
    QFile datei(QStringLiteral(BRAKMOR_TESTDATA "/") + name);
    if (!datei.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("test data missing: %s", qPrintable(datei.fileName()));
    return QString::fromUtf8(datei.readAll()).split(QLatin1Char('\n'));
}

#define VERGLEICHE_MIT_DATEI(ist, name)                                                            \
    do {                                                                                           \
        const QStringList istZeilen_ = (ist).split(QLatin1Char('\n'));                             \
        if (qEnvironmentVariableIntValue("BRAKMOR_NEU_SCHREIBEN")) {                               \
            QFile datei_(QStringLiteral(BRAKMOR_TESTDATA "/") + (name));                           \
            QVERIFY(datei_.open(QIODevice::WriteOnly | QIODevice::Text));                          \
            datei_.write(istZeilen_.join(QLatin1Char('\n')).toUtf8());                             \
            break;                                                                                 \
        }                                                                                          \
        const QStringList sollZeilen_ = datenZeilen(name);                                         \
        for (int i_ = 0; i_ < std::max(istZeilen_.size(), sollZeilen_.size()); ++i_)               \
            QCOMPARE(QString::number(i_ + 1) + ": " + istZeilen_.value(i_),                        \
                     QString::number(i_ + 1) + ": " + sollZeilen_.value(i_));                      \
    } while (false)
