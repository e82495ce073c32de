#include <QTest>
class TestStore : public QObject {
    Q_OBJECT
private slots:
    void nothing()
    {
    }
};
QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
