// StokAraGetir over HTTP on the 20,000-item demo store: throughput and
// p50/p99 latency at 1 and 16 connections.

#include "server/sunucu.h"

#include "remote/baglantiu.h"
#include "remote/wire/wire.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

struct Ortam {
    QTemporaryDir dizin;
    std::unique_ptr<pelsrv::PelmoraSunucu> sunucu;
    QByteArray kimlik;
};

Ortam& ortam()
{
    static Ortam o = [] {
        Ortam e;
        pelsrv::SunucuAyarlari a;
        a.veriDosyasi = e.dizin.filePath(QStringLiteral("bench.db"));
        a.ornekStokAdedi = 20000;
        a.webPort = -1;
        e.sunucu = std::make_unique<pelsrv::PelmoraSunucu>(a);
        e.sunucu->baslat();
        TSonucBilgisi k;
        k.SetBILGISAYARID(QStringLiteral("DEMO-MUSTERI"));
        k.SetCARINO(1);
        k.SetMusteriTipi(0);
        e.kimlik = pel::wire::marshal(k);
        return e;
    }();
    return o;
}

const char* const kArananlar[] = {
    "FREN BALATASI ON", "YAG FILTRESI", "8690000012346", "AMORTISOR BOSCH", "1K0",
    "TRIGER SETI GATES", "RADYATOR", "77 01", "SARJ DINAMOSU VALEO", "POLEN",
};

void StokAraGetir(benchmark::State& state)
{
    Ortam& o = ortam();
    pelsrv::HttpIstemci c(QStringLiteral("127.0.0.1"), o.sunucu->port());
    std::vector<double> sureler;
    sureler.reserve(100000);
    size_t i = size_t(state.thread_index()) * 3;
    qint64 satirlar = 0;
    for (auto _ : state) {
        pel::wire::ListBuilder p;
        p.add(QString::fromLatin1(kArananlar[i++ % std::size(kArananlar)]));
        p.addJson(o.kimlik);
        const auto t0 = std::chrono::steady_clock::now();
        const pelsrv::Cevap r = c.cagir(QStringLiteral("StokAraGetir"), p.parametersBody());
        const auto t1 = std::chrono::steady_clock::now();
        if (r.durum != 200) {
            state.SkipWithError("StokAraGetir başarısız");
            break;
        }
        sureler.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        satirlar += r.govde.size();
    }
    if (!sureler.empty()) {
        std::sort(sureler.begin(), sureler.end());
        const auto yuzde = [&](double q) { return sureler[size_t(q * double(sureler.size() - 1))]; };
        state.counters["p50_ms"] = benchmark::Counter(yuzde(0.50), benchmark::Counter::kAvgThreads);
        state.counters["p99_ms"] = benchmark::Counter(yuzde(0.99), benchmark::Counter::kAvgThreads);
    }
    state.counters["aramalar/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(satirlar);
}

BENCHMARK(StokAraGetir)->Threads(1)->Threads(16)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    ortam();
    benchmark::RunSpecifiedBenchmarks();
    ortam().sunucu->durdur();
    benchmark::Shutdown();
    return 0;
}
