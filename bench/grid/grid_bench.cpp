// Grid speed on a 100,000 x 40 table: showing a freshly filled table,
// sorting by a text and by a number column, and the memory used.

#include "platform/grid/gridview.h"
#include "platform/localtable.h"

#include <QApplication>
#include <QPixmap>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

using namespace pel;

namespace {
constexpr int kRows = 100000;
constexpr int kCols = 40;

// Columns: 0-9 integers, 10-19 doubles, 20-39 texts.
LocalTable& bigTable()
{
    static std::unique_ptr<LocalTable> t;
    if (t)
        return *t;
    t = std::make_unique<LocalTable>();
    QList<FieldDef> fields;
    for (int c = 0; c < kCols; ++c) {
        const FieldType type = c < 10 ? FieldType::Int32 : c < 20 ? FieldType::Double : FieldType::WideString;
        fields.append({QStringLiteral("F%1").arg(c), type, 40});
    }
    TableData d(fields);
    d.reserve(kRows);
    d.appendRows(kRows);
    quint32 seed = 12345;
    auto rnd = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    static const char* words[] = {"FREN", "BALATA", "FİLTRE", "YAĞ", "AMORTİSÖR", "DİSK",
                                  "ÇAMURLUK", "AYNA", "FAR", "ŞANZIMAN", "KAYIŞ", "POMPA"};
    QString buf;
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < 10; ++c)
            d.setInt(r, c, qint64(rnd() % 100000));
        for (int c = 10; c < 20; ++c)
            d.setReal(r, c, double(rnd() % 10000000) / 100.0);
        for (int c = 20; c < kCols; ++c) {
            buf = QString::fromUtf8(words[rnd() % 12]) + QLatin1Char(' ') +
                  QString::fromUtf8(words[rnd() % 12]) + QLatin1Char(' ') +
                  QString::number(rnd() % 100000);
            d.setText(r, c, buf);
        }
    }
    t->replaceContent(std::move(d));
    for (int c = 10; c < 20; ++c)
        t->setDisplayFormat(c, QStringLiteral("#,###,##0.00"));
    return *t;
}

std::vector<GridColumn> bigColumns()
{
    std::vector<GridColumn> cols;
    for (int c = 0; c < kCols; ++c) {
        GridColumn col(QStringLiteral("col%1").arg(c), QStringLiteral("F%1").arg(c));
        if (c >= 10 && c < 20)
            col.amount().footer(Summary::Sum);
        else if (c < 10)
            col.kind(ColumnKind::Number);
        cols.push_back(col);
    }
    cols[0].footer(Summary::Count);
    return cols;
}

long residentKb()
{
    std::ifstream f("/proc/self/statm");
    long pages = 0, rss = 0;
    f >> pages >> rss;
    return rss * 4;
}

// Binding the filled table, laying out and painting the first screen.
void BM_ShowFreshTable(benchmark::State& state)
{
    LocalTable& t = bigTable();
    const long before = residentKb();
    for (auto _ : state) {
        GridView g;
        g.setColumns(bigColumns());
        g.setFooterVisible(true);
        g.resize(1280, 800);
        g.beginUpdate();
        g.detach();
        g.setTable(&t);
        g.attach();
        g.endUpdate();
        QPixmap pm(g.size());
        g.render(&pm);
        benchmark::DoNotOptimize(g.rowCount());
        state.PauseTiming();
        state.counters["view_rss_kb"] = double(residentKb() - before);
        state.ResumeTiming();
    }
    state.counters["table_mb"] = double(t.data().memoryUsed()) / (1024.0 * 1024.0);
    state.counters["index_kb"] = double(2 * sizeof(int) * kRows) / 1024.0;
}
BENCHMARK(BM_ShowFreshTable)->Unit(benchmark::kMillisecond)->Iterations(5);

void sortBench(benchmark::State& state, int column)
{
    LocalTable& t = bigTable();
    GridView g;
    g.setColumns(bigColumns());
    g.setTable(&t);
    g.resize(1280, 800);
    bool asc = true;
    for (auto _ : state) {
        g.sortBy(column, asc ? Qt::AscendingOrder : Qt::DescendingOrder);
        asc = !asc;
        benchmark::DoNotOptimize(g.focusedRow());
    }
}
void BM_SortByText(benchmark::State& state) { sortBench(state, 25); }
void BM_SortByNumber(benchmark::State& state) { sortBench(state, 12); }
BENCHMARK(BM_SortByText)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_SortByNumber)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_FilterByValue(benchmark::State& state)
{
    LocalTable& t = bigTable();
    GridView g;
    g.setColumns(bigColumns());
    g.setTable(&t);
    const QStringList values = g.filterValues(3);
    int i = 0;
    for (auto _ : state) {
        g.setFilter(3, {values.value(i++ % values.size())});
        benchmark::DoNotOptimize(g.rowCount());
    }
}
BENCHMARK(BM_FilterByValue)->Unit(benchmark::kMillisecond)->Iterations(4);

void BM_Footers(benchmark::State& state)
{
    LocalTable& t = bigTable();
    GridView g;
    g.setColumns(bigColumns());
    g.setTable(&t);
    for (auto _ : state)
        for (int c = 0; c < 20; ++c)
            benchmark::DoNotOptimize(g.footerText(c));
}
BENCHMARK(BM_Footers)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const long before = residentKb();
    bigTable();
    std::fprintf(stderr, "table filled: %d rows x %d columns, resident +%ld KB\n", kRows, kCols,
                 residentKb() - before);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
