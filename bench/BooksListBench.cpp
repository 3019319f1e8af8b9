// Loading and saving a large book list, against a plain GB18030 read of the same
// file split at carriage returns.

#include "catalogue/clsBooksList.h"

#include "platform/AnsiTextFile.h"
#include "platform/Gb18030Codec.h"
#include "platform/PrivateTempFolder.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using kx::catalogue::BooksListEvents;
using kx::catalogue::clsBooksList;

constexpr int kEntries = 30000;

std::string Padded(int value, int width) {
    std::string digits = std::to_string(value);
    if (digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

/// A list file of kEntries records such as the host application keeps: Chinese
/// names and companies, Access books in the Data folder, every tenth book in SQL
/// Server, every twentieth hidden, numbers and GUIDs filled in.
const std::filesystem::path& ListFile() {
    static const std::filesystem::path file = [] {
        const std::array<const char*, 6> regions = {"华东", "华南", "华北", "西南", "西北", "东北"};
        const std::array<const char*, 5> companies = {
            "上海某某贸易有限公司", "深圳市某某电子科技有限公司", "北京某某建筑工程有限责任公司",
            "成都某某餐饮管理有限公司", "西安某某机械制造股份有限公司"};
        std::string text;
        for (int i = 1; i <= kEntries; ++i) {
            const std::size_t r = static_cast<std::size_t>(i);
            const std::string number = Padded(i, 6);
            const std::string year = std::to_string(2000 + i % 25);
            const bool onServer = i % 10 == 0;
            const std::string server = "@db-server-" + std::to_string(i % 7);
            const std::string month = Padded(i % 12 + 1, 2);
            const std::string guidHead = Padded(i, 4);
            for (std::string_view piece :
                 {std::string_view(regions[r % regions.size()]),
                  std::string_view("分公司"),
                  std::string_view(year),
                  std::string_view("年度账簿"),
                  std::string_view(number),
                  onServer ? std::string_view("\tkx") : std::string_view("\t..\\Data"),
                  onServer ? std::string_view(number) : std::string_view(),
                  onServer ? std::string_view(":密码") : std::string_view(),
                  onServer ? std::string_view(number) : std::string_view(),
                  onServer ? std::string_view(server) : std::string_view(),
                  std::string_view("\tkxAcc"),
                  std::string_view(number),
                  onServer ? std::string_view() : std::string_view(".MDE"),
                  std::string_view("\t"),
                  std::string_view(companies[r % companies.size()]),
                  std::string_view("\t"),
                  std::string_view(year),
                  std::string_view("年"),
                  std::string_view(month),
                  std::string_view("月"),
                  i % 20 == 0 ? std::string_view("\t1\t") : std::string_view("\t0\t"),
                  std::string_view(number),
                  std::string_view("\t{8F1C"),
                  std::string_view(guidHead),
                  std::string_view("-3A2B-4C5D-9E8F-0A1B2C"),
                  std::string_view(number),
                  std::string_view("}"),
                  i == kEntries ? std::string_view("\r\n") : std::string_view("\r")})
                text.append(piece);
        }
        const std::filesystem::path path = kx::platform::PrivateTempFolder() / "books.lst";
        kx::platform::WriteAnsiTextFile(path, text);
        return path;
    }();
    return file;
}

void BM_PlainReadAndSplit(benchmark::State& state) {
    const kx::platform::Gb18030Codec codec;
    for (auto _ : state) {
        const std::string text = codec.ToUtf8(kx::platform::ReadWholeFile(ListFile()));
        std::vector<std::string> records;
        std::size_t start = 0;
        for (;;) {
            const auto end = text.find('\r', start);
            records.emplace_back(text, start, end == std::string::npos ? std::string::npos : end - start);
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_PlainReadAndSplit)->Unit(benchmark::kMillisecond);

void BM_LoadBooks(benchmark::State& state) {
    BooksListEvents listener;
    clsBooksList list;
    list.SetEvents(&listener);
    for (auto _ : state) {
        if (!list.LoadBooks(ListFile().string()))
            state.SkipWithError("LoadBooks failed");
        benchmark::DoNotOptimize(list.BookCount());
    }
    if (list.BookCount() != kEntries - 1 || list.HiddenCount() != kEntries / 20)
        state.SkipWithError("wrong entry count");
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LoadBooks)->Unit(benchmark::kMillisecond);

void BM_PlainEncodeAndWrite(benchmark::State& state) {
    const kx::platform::Gb18030Codec codec;
    const std::string text = codec.ToUtf8(kx::platform::ReadWholeFile(ListFile()));
    const std::filesystem::path target = kx::platform::PrivateTempFolder() / "plain-copy.lst";
    for (auto _ : state)
        kx::platform::WriteFileAtomically(target, codec.FromUtf8(text));
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_PlainEncodeAndWrite)->Unit(benchmark::kMillisecond);

void BM_SaveBooks(benchmark::State& state) {
    BooksListEvents listener;
    clsBooksList list;
    list.SetEvents(&listener);
    if (!list.LoadBooks(ListFile().string()))
        state.SkipWithError("LoadBooks failed");
    const std::string target = (kx::platform::PrivateTempFolder() / "saved.lst").string();
    for (auto _ : state) {
        if (!list.SaveBooks(target))
            state.SkipWithError("SaveBooks failed");
    }
    if (kx::platform::ReadWholeFile(target) != kx::platform::ReadWholeFile(ListFile()))
        state.SkipWithError("saved file differs from the loaded one");
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_SaveBooks)->Unit(benchmark::kMillisecond);

/// What a program that records a new book does: load the list, add one entry, save
/// it back to the same file.
void BM_LoadAddSave(benchmark::State& state) {
    BooksListEvents listener;
    const std::filesystem::path file = kx::platform::PrivateTempFolder() / "growing.lst";
    kx::platform::WriteFileAtomically(file, kx::platform::ReadWholeFile(ListFile()));
    int added = 0;
    for (auto _ : state) {
        clsBooksList list;
        list.SetEvents(&listener);
        if (!list.LoadBooks(file.string()) ||
            !list.AddBook("新建账簿" + std::to_string(++added) +
                          "\t..\\Data\tkxAcc.MDE\t某某有限公司\t(未知)\t0\t\t") ||
            !list.SaveBooks()) {
            state.SkipWithError("load, add or save failed");
            break;
        }
        // The list stays at its size: the next round starts from the original file.
        state.PauseTiming();
        kx::platform::WriteFileAtomically(file, kx::platform::ReadWholeFile(ListFile()));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LoadAddSave)->Unit(benchmark::kMillisecond);

/// A clean of a list of kEntries lines, half of them duplicates of the other half:
/// one removal per duplicate, and the books whose files are missing asked about
/// and removed too (none of the Access books' files exist here).
void BM_CleanDuplicates(benchmark::State& state) {
    BooksListEvents listener;
    const std::string whole = kx::platform::ReadWholeFile(ListFile());
    std::string half;
    std::size_t start = 0;
    for (int i = 0; i < kEntries / 2; ++i) {
        const std::size_t end = whole.find('\r', start);
        const std::string record = whole.substr(start, end + 1 - start);
        half += record + record;
        start = end + 1;
    }
    half.back() = '\r';
    half += '\n';
    const std::filesystem::path file = kx::platform::PrivateTempFolder() / "duplicates.lst";
    for (auto _ : state) {
        state.PauseTiming();
        kx::platform::WriteFileAtomically(file, half);
        clsBooksList list;
        list.SetEvents(&listener);
        if (!list.LoadBooks(file.string()) || list.BookCount() != kEntries - 1) {
            state.SkipWithError("load failed");
            break;
        }
        state.ResumeTiming();
        list.Clean();
        benchmark::DoNotOptimize(list.BookCount());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_CleanDuplicates)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
