#include "engine/Suoni.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSuoni : public QObject {
    Q_OBJECT

    static void touch(const QDir& dir, const QString& name)
    {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void listsWaveFilesByName()
    {
        QTemporaryDir tmp;
        const QDir dir(tmp.path());
        for (const char* name : {"Campana.wav", "Bell.WAV", "a.b.wav", ".nascosto.wav", "note.txt", "wav", "x.wave"})
            touch(dir, name);
        QVERIFY(dir.mkdir("cartella.wav"));

        const SuonoList list = Carica_Suoni(tmp.path());
        QStringList names;
        for (const REC_Suono& s : list) {
            names << s.Nome;
            QCOMPARE(s.Descrizione, s.Nome); // what the options and the alarm window show
        }
        QCOMPARE(names, QStringList({".nascosto", "a.b", "Bell", "Campana"}));
        QVERIFY(list[2].Percorso.endsWith("/Bell.WAV"));
        QCOMPARE(list[3].Percorso, dir.filePath("Campana.wav"));
        // The first match, case counting; "no sound" is no file.
        const SuonoList dup{list[2], list[3], {"Bell", "Bell", "/s/Bell2.wav"}};
        QCOMPARE((QList<int>{Indice_Suono(dup, "Bell"), Indice_Suono(dup, "Campana"), Indice_Suono(dup, "bell"),
                     Indice_Suono(dup, "-nessun suono-"), Indice_Suono(dup, "")}),
            (QList<int>{0, 1, -1, -1, -1}));
    }
};

QTEST_GUILESS_MAIN(TestSuoni)
#include "tst_suoni.moc"
