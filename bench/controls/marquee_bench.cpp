// CPU time of a marquee scrolling one HTML item at the default 10 ms step,
// as a share of one core. Run it on a real display server, e.g.
//   xvfb-run -a build/bench/controls/marquee_bench
// Options after the Google Benchmark ones: --seconds=N (default 10).

#include "controls/marquee.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>

namespace {

int g_seconds = 10;

double processCpuSeconds()
{
#if defined(CLOCK_PROCESS_CPUTIME_ID)
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
#else
    return double(std::clock()) / CLOCKS_PER_SEC;
#endif
}

void BM_MarqueeHtmlScrolling(benchmark::State& state)
{
    for (auto _ : state) {
        TRealTimeMarquee m;
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(24);
        m.setFont(f);
        m.resize(1024, 40);
        m.SetSpacing(5);
        TMarqueeItem* item = m.Items()->Add();
        item->SetStyle(msHTML);
        item->SetText(QString::fromUtf8(
            "<b>Pelmora B2B</b> &bull; Yeni kampanya: <font color=red>fren balatalarında %20 "
            "indirim</font> &bull; <a href='https://pelmora.example/kampanya'>ayrıntılar</a>"));
        m.show();
        QCoreApplication::processEvents();
        m.SetActive(true);

        int wraps = 0;
        m.SetOnWrap([&](TRealTimeMarquee*) { ++wraps; });
        QEventLoop loop;
        QTimer::singleShot(g_seconds * 1000, &loop, &QEventLoop::quit);
        const double cpu0 = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        loop.exec();
        const double cpu = processCpuSeconds() - cpu0;
        const double seconds = wall.nsecsElapsed() / 1e9;
        m.SetActive(false);

        state.SetIterationTime(seconds);
        state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / seconds;
        // Pixels the newest item has moved since it entered (one per step).
        state.counters["newest_item_travel_px"] = m.State().NewestOffset;
        state.counters["item_width_px"] = m.Items()->GetItems(0)->Width();
        state.counters["passes_finished"] = wraps;
    }
}
BENCHMARK(BM_MarqueeHtmlScrolling)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--seconds=", 10) == 0)
            g_seconds = std::max(1, std::atoi(argv[i] + 10));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
