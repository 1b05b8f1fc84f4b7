// Reading a pasted block of 1000 rows as entries, against only cutting it into lines and fields.

#include "erkennung/erkennung.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

// A spreadsheet's block with its heading: umlauts, titles, some letters the code page lacks.
QString block(int n = 1000) {
    const char16_t* first[] = {u"Anna", u"Bernd", u"Carla", u"Dr. Dieter", u"Łukasz", u"Jürgen"};
    const char16_t* last[] = {u"Meier", u"Müller", u"Wiśniewski", u"Weiß", u"Öztürk", u"Krause"};
    const char16_t* mp[] = {u"J", u"n", u"G", u""};
    std::mt19937 rng(42);
    QString text = QStringLiteral("Name\tMP\tMitglieds-Nr.\tOrt\r\n");
    for (int i = 0; i < n; ++i)
        text += QString::fromUtf16(first[rng() % 6]) + u' ' + QString::fromUtf16(last[rng() % 6]) +
                u'\t' + QString::fromUtf16(mp[rng() % 4]) + u'\t' +
                QString::number(100000 + rng() % 900000) + QStringLiteral("\tBerlin\r\n");
    return text;
}

void BM_NurZerlegen(benchmark::State& state) {
    const QString text = block();
    for (auto _ : state) {
        std::vector<QStringList> zeilen;
        for (const QString& line : text.split(QStringLiteral("\r\n")))
            zeilen.push_back(line.split(u'\t'));
        benchmark::DoNotOptimize(zeilen);
    }
}
BENCHMARK(BM_NurZerlegen)->Unit(benchmark::kMillisecond);

void BM_Erkennen(benchmark::State& state) {
    const QString text = block();
    for (auto _ : state) {
        const Textzeilen t = ZeilenAusText(text);
        auto eintraege = EintraegeBilden(t.zeilen, SpaltenErkennen(t.zeilen));
        benchmark::DoNotOptimize(eintraege);
    }
}
BENCHMARK(BM_Erkennen)->Unit(benchmark::kMillisecond);

// Ten megabytes on the clipboard: the preview's rows at once.
void BM_ZehnMegabyte(benchmark::State& state) {
    QString text;
    while (text.size() < 5'000'000)
        text += block(100);
    for (auto _ : state) {
        const Textzeilen t = ZeilenAusText(text);
        auto eintraege = EintraegeBilden(t.zeilen, SpaltenErkennen(t.zeilen));
        benchmark::DoNotOptimize(eintraege);
    }
}
BENCHMARK(BM_ZehnMegabyte)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
