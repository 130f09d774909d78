// One word searched over ten years of month files and 500 memos, against `grep -rc` for the
// same bytes over the same folder in the same run.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cp932.h"
#include "file_io.h"
#include "globals.h"
#include "search_targets.h"

namespace {

struct Corpus {
    QTemporaryDir home;
    std::string root, dat, memo, wordFile;

    Corpus() {
        root = platform::ToCp932(home.path());
        dat = root + "/dat";
        memo = root + "/memo";
        QDir().mkpath(home.path() + "/dat");
        QDir().mkpath(home.path() + "/memo");
        for (int y = 2017; y <= 2026; ++y)
            for (int m = 1; m <= 12; ++m) {
                std::string out;
                for (int d = 1; d <= 31; ++d) {
                    out += "#S#!\r\n";
                    out += Sj("@9:30 朝礼 表示確認\r\n");
                    if ((d + m) % 4 == 0) out += Sj("10:00-11:00 会議 場所:本社\r\n");
                    out += Sj("ソフト開発 第") + std::to_string(d) + Sj("回 ｱｲｳｴｵ\r\n");
                    out += "#E#!\r\n";
                }
                char name[32];
                std::snprintf(name, sizeof name, "/%04d%02d.yo2", y, m);
                platform::WriteFileAtomic(dat + name, out);
            }
        for (int k = 0; k < 500; ++k) {
            std::string text;
            for (int line = 0; line < 40; ++line)
                text += Sj("メモの本文です。買物リスト、牛乳、パン、表計算の資料 ") +
                        std::to_string(line) + "\r\n";
            if (k % 10 == 0) text += Sj("来週の会議の議題\r\n");
            platform::WriteFileAtomic(memo + "/memo" + std::to_string(k) + ".txt", text);
        }
        wordFile = root + "/word.txt";
        platform::WriteFileAtomic(wordFile, Sj("会議"));
        Settings.dat_Path = dat;
        Settings.memo_path = memo;
    }
};

Corpus& TheCorpus() {
    static Corpus corpus;
    return corpus;
}

void BM_SearchOneWord(benchmark::State& state) {
    Corpus& c = TheCorpus();
    SearchWords words;
    ChooseWords(Sj("会議"), std::string(), words);
    size_t hits = 0;
    for (auto _ : state) {
        std::vector<SearchHit> out;
        MemoKensaku(c.memo, words, out);
        SearchSchedules({2017, 1, 2026, 12}, words, out);
        hits = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_SearchOneWord)->Unit(benchmark::kMillisecond);

void BM_GrepSameWord(benchmark::State& state) {
    Corpus& c = TheCorpus();
    // The word comes from a file so that its CP932 bytes reach grep unchanged.
    const std::string command = "LC_ALL=C grep -rc -F -f '" + c.wordFile + "' '" + c.dat +
                                "' '" + c.memo + "' > /dev/null";
    for (auto _ : state) benchmark::DoNotOptimize(std::system(command.c_str()));
}
BENCHMARK(BM_GrepSameWord)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
