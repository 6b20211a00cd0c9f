// Decoding a large stock result: JSON bytes to a local table, against a
// raw simdjson parse of the same bytes as the floor.

#include "platform/localtable.h"
#include "remote/wire/wire.h"

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <QCoreApplication>

namespace {

constexpr int kSatir = 10000;
constexpr int kSutun = 40;

// A stock list of 40 columns: numbers, names, prices, flags and dates.
pel::TableData stokTablosu()
{
    using FT = pel::FieldType;
    const FT turler[] = {FT::Int32, FT::WideString, FT::WideString, FT::Double, FT::Double,
                         FT::Currency, FT::Boolean, FT::DateTime};
    QList<pel::FieldDef> alanlar;
    for (int c = 0; c < kSutun; ++c) {
        pel::FieldDef f;
        f.name = c == 0 ? QStringLiteral("STOK_STOKNO") : QStringLiteral("ALAN%1").arg(c);
        f.type = turler[c % 8];
        f.size = f.type == FT::WideString ? 100 : 0;
        alanlar << f;
    }
    pel::TableData t(alanlar);
    t.appendRows(kSatir);
    for (int r = 0; r < kSatir; ++r)
        for (int c = 0; c < kSutun; ++c) {
            switch (c % 8) {
            case 0:
                t.setInt(r, c, 100000 + r);
                break;
            case 1:
                t.setText(r, c, QStringLiteral("FREN BALATASI ÖN %1").arg(r));
                break;
            case 2:
                t.setText(r, c, QStringLiteral("BOSCH-%1").arg(r * 7 % 9973));
                break;
            case 3:
            case 4:
                t.setReal(r, c, 12.5 + r * 0.25);
                break;
            case 5:
                t.setReal(r, c, 1000.0 + r);
                break;
            case 6:
                t.setInt(r, c, r % 3 == 0);
                break;
            case 7:
                t.setReal(r, c, 45000.5 + r % 400);
                break;
            }
        }
    return t;
}

const QByteArray& veri()
{
    static const QByteArray b = pel::wire::ListBuilder().addTable(stokTablosu()).resultBody();
    return b;
}

void sayaclar(benchmark::State& st)
{
    st.counters["rows/s"] =
        benchmark::Counter(double(kSatir) * double(st.iterations()), benchmark::Counter::kIsRate);
    st.SetBytesProcessed(int64_t(st.iterations()) * veri().size());
}

void BM_YanitTabloyaCoz(benchmark::State& st)
{
    const QByteArray& b = veri();
    pel::LocalTable tablo;
    for (auto _ : st) {
        const pel::wire::ListReader r = pel::wire::decodeResult(200, b, 1);
        tablo.replaceContent(pel::wire::readTable(r[0]));
        benchmark::DoNotOptimize(tablo.rowCount());
    }
    if (tablo.rowCount() != kSatir || tablo.fieldCount() != kSutun)
        st.SkipWithError("wrong table");
    sayaclar(st);
}

void BM_SimdjsonHamAyristirma(benchmark::State& st)
{
    const QByteArray& b = veri();
    simdjson::padded_string p(b.constData(), size_t(b.size()));
    simdjson::dom::parser parser;
    for (auto _ : st) {
        simdjson::dom::element e;
        if (parser.parse(p).get(e) != simdjson::SUCCESS) {
            st.SkipWithError("parse");
            break;
        }
        benchmark::DoNotOptimize(e);
    }
    sayaclar(st);
}

void BM_TabloKodla(benchmark::State& st)
{
    const pel::TableData t = stokTablosu();
    for (auto _ : st)
        benchmark::DoNotOptimize(pel::wire::encodeTable(t));
    sayaclar(st);
}

} // namespace

BENCHMARK(BM_YanitTabloyaCoz)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimdjsonHamAyristirma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TabloKodla)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::printf("yanıt: %d satır x %d sütun, %.1f MB JSON\n", kSatir, kSutun,
                double(veri().size()) / 1e6);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
