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
            QCOMPARE(s.Descrizione, s.Nome);
        }
        QCOMPARE(names, QStringList({".nascosto", "a.b", "Bell", "Campana"}));
        QVERIFY(list[2].Percorso.endsWith("/Bell.WAV"));
        QCOMPARE(list[3].Percorso, dir.filePath("Campana.wav"));
        QVERIFY(Carica_Suoni(dir.filePath("no-such-folder")).isEmpty());
    }

    void indiceSuono_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("first match") << "Bell" << 0;
        QTest::newRow("second") << "Campana" << 1;
        QTest::newRow("case matters") << "bell" << -1;
        QTest::newRow("no sound") << "-nessun suono-" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void indiceSuono()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        const SuonoList list{{"Bell", "Bell", "/s/Bell.wav"}, {"Campana", "Campana", "/s/Campana.wav"},
            {"Bell", "Bell", "/s/Bell2.wav"}};
        QCOMPARE(Indice_Suono(list, name), index);
    }
};

QTEST_GUILESS_MAIN(TestSuoni)
#include "tst_suoni.moc"
