// Saves stores in a loop until it is killed: generation g holds kMemos memos
// whose texts and offsets all carry g. A failed save is tried again. Used by
// the crash test.
#include "store/StoreFile.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4)
        return 2;
    const QString folder = args[1];
    int generation = args[2].toInt();
    const int memos = args[3].toInt();
    for (;; ++generation) {
        MemoList list;
        list.reserve(memos);
        for (int i = 0; i < memos; ++i) {
            REC_Memo m;
            m.ID = i + 1;
            m.Nota = QStringLiteral("gen %1 memo %2").arg(generation).arg(i + 1);
            m.Anticipo = generation;
            m.Data = 45366 + i;
            m.Orario = 0.5;
            list.append(m);
        }
        if (StoreFile::write(folder, list, {}, u',') != 1)
            --generation; // a full disk: the same generation again, as the tick retries
    }
}
