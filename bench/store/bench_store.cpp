// Reading and writing stores of 10,000 and 100,000 memos, beside reading and
// writing-and-flushing the same bytes with plain file calls; and the read's
// parts: the parse alone, and the lists it builds built with no parse.
#include "store/StoreFile.h"
#include "store/TextBlock.h"
#include "store/Ut.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <unistd.h>

namespace {

// Which pages a read gets decides much of its time: the kernel clears every
// fresh page at its first touch, and glibc hands out fresh pages or reused
// ones by what the cases before this one freed. Freed memory is kept for
// reuse here, as the plain read reuses its buffer, so that every case is
// timed alike whatever ran before it.
const bool pagesReused = [] {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
#endif
    return true;
}();

// Memo i but for its text.
REC_Memo memoFields(int i)
{
    REC_Memo m;
    m.ID = i + 1;
    m.TipoMemo = 1;
    m.Attivo = i % 3 == 0;
    m.Eseguito = i % 5 == 0;
    m.TipoData = 1;
    m.Data = 45366 + i % 400;
    m.TipoOrario = 1 + i % 2;
    m.Orario = (i % 1440) / 1440.0;
    m.TipoAnticipo = 2;
    m.Anticipo = i % 61 - 30;
    return m;
}

MemoList makeMemos(int n)
{
    MemoList list;
    list.reserve(n);
    for (int i = 0; i < n; ++i) {
        list.append(memoFields(i));
        list.last().Nota = QStringLiteral("Promemoria numero %1: telefonare, scrivere, pagare").arg(i + 1);
    }
    return list;
}

struct Fixture {
    QTemporaryDir dir;
    MemoList memos;
    SvegliaList sveglie;
    QByteArray bytes;
    QString path;

    explicit Fixture(int n)
        : memos(makeMemos(n))
    {
        for (int i = 0; i < 20; ++i)
            sveglie.append(REC_Sveglia{1, 1, QStringLiteral("Sveglia %1").arg(i), 2, i / 24.0, "Campanello"});
        StoreFile::write(dir.path(), memos, sveglie, u',');
        path = dir.filePath(StoreFile::fileName);
        Leggi_File(path, bytes);
    }
};

Fixture& fixture(int n)
{
    static Fixture small(10000);
    static Fixture large(100000);
    return n == 10000 ? small : large;
}

// Reads into empty lists, as the program reads its store; the lists of the
// read before are freed outside the timing.
template <typename Read> void intoEmptyLists(benchmark::State& state, Read read)
{
    MemoList memos;
    SvegliaList sveglie;
    QString diag;
    for (auto _ : state) {
        state.PauseTiming();
        memos = {};
        state.ResumeTiming();
        if (read(memos, sveglie, diag) != 1)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(memos.data());
    }
}

void BM_ReadStore(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    intoEmptyLists(state, [&](MemoList& memos, SvegliaList& sveglie, QString& diag) {
        return StoreFile::read(f.dir.path(), true, memos, sveglie, diag);
    });
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

// The parse alone, the bytes already read: in as many parts as the reader
// takes (0), or in one.
void BM_ParseOnly(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    const int parts = int(state.range(1));
    intoEmptyLists(state, [&](MemoList& memos, SvegliaList& sveglie, QString& diag) {
        return parts ? StoreFile::parseFileBytesInParts(f.bytes, parts, memos, sveglie, diag)
                     : StoreFile::parseFileBytes(f.bytes, memos, sveglie, diag);
    });
}

// What any reading of the file must do besides reading it: the memo list
// built as the parse builds it (room for all, texts widened from the file's
// bytes into shared blocks), with the values known and the texts' places
// found beforehand. No parse of the same lists can take less.
void BM_BuildListsOnly(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    QList<QByteArrayView> texts;
    for (qsizetype at = 0; (at = f.bytes.indexOf("#_NT:", at)) >= 0;) {
        const qsizetype end = f.bytes.indexOf('\t', at);
        texts.append(QByteArrayView(f.bytes).sliced(at + 5, end - at - 5));
        at = end;
    }
    MemoList memos;
    for (auto _ : state) {
        state.PauseTiming();
        memos = {};
        state.ResumeTiming();
        memos.reserve(f.bytes.size() / 72 + 1);
        TextBlock block(f.bytes.size());
        for (qsizetype i = 0; i < texts.size(); ++i) {
            REC_Memo& m = memos.emplaceBack(memoFields(int(i)));
            m.Nota = block.ascii(texts[i]);
        }
        benchmark::DoNotOptimize(memos.data());
    }
}

void BM_ReadPlain(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    const QByteArray name = f.path.toLocal8Bit();
    std::string buffer;
    for (auto _ : state) {
        FILE* file = std::fopen(name.constData(), "rb");
        std::fseek(file, 0, SEEK_END);
        buffer.resize(static_cast<size_t>(std::ftell(file)));
        std::fseek(file, 0, SEEK_SET);
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
        std::fclose(file);
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_WriteStore(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        if (StoreFile::write(f.dir.path(), f.memos, f.sveglie, u',') != 1)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_WritePlainAndFlush(benchmark::State& state)
{
    Fixture& f = fixture(int(state.range(0)));
    const QByteArray name = f.dir.filePath("plain.dat").toLocal8Bit();
    for (auto _ : state) {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, f.bytes.constData(), size_t(f.bytes.size())));
        ::fsync(fd);
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

} // namespace

BENCHMARK(BM_ReadStore)->Arg(10000)->Arg(100000)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseOnly)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildListsOnly)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPlain)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteStore)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePlainAndFlush)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
