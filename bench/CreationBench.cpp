// Creating a new book from a template book of about 200 MB (the sample book's
// tables with large generated business tables), each route against its plain
// reference in the same run. Every route reports its parts as counters: copy_s
// (the new database made and filled), clearing_s (the clearing's deletes and the
// shrink) and rest_s (placing and keeping the new database); the references
// report the matching copy_s and clearing_s:
// - book file to book file against a plain file copy followed by the same deletes;
// - book file to server database against the conversion alone followed by a
//   TRUNCATE of the cleared tables;
// - server book to server database, by the server's own copy and by the
//   table-by-table copy that it falls back to while another session holds the
//   template, against CREATE DATABASE ... TEMPLATE followed by a TRUNCATE of the
//   cleared tables.
// Needs the throwaway server (KX_PG_HOST, KX_PG_PORT, KX_PG_USER, KX_PG_PASSWORD);
// scripts/run-bench.sh creation starts one.

#include "ado/Connection.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "database/CreateCnn.h"
#include "database/SampleBook.h"
#include "database/SqlBookConversion.h"
#include "newbook/MadeDatabase.h"
#include "newbook/NewBookClearing.h"
#include "newbook/NewBookDatabase.h"
#include "platform/PrivateTempFolder.h"
#include "support/AccountingObject.h"

#include "BenchServer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using kx::bench::Connect;
using kx::bench::Env;
using kx::bench::Server;

namespace fs = std::filesystem;
namespace pg = kx::ado::pg;

/// Rows generated into the template's business tables.
constexpr long kDocuments = 275000;
constexpr long kDocumentRows = 1100000;
constexpr long kJournalRows = 330000;
constexpr long kLogRows = 330000;

/// The retain boxes as the wizard starts: base data kept, staff and wages emptied.
constexpr kx::newbook::RetainStates kStartingRetain{1, 1, 1, 1, 1, 1, 1, 1, 1};

/// The book number of every new book; its database is dropped between runs.
constexpr const char* kBookNo = "31001";
constexpr const char* kNewDatabase = "kxAcc031001";

kx::newbook::ServerLogin TestServer() {
    return {Server(), Env("KX_PG_USER"), Env("KX_PG_PASSWORD")};
}

std::string PgName(const std::string& database) {
    return pg::QuoteIdent(pg::FoldDatabaseName(database));
}

void Drop(const std::string& database) {
    Connect("postgres").Exec("DROP DATABASE IF EXISTS " + PgName(database) + " WITH (FORCE)");
}

/// "SELECT ... FROM" the numbers 1 to `count`, made inside the engine.
std::string Numbers(long count) {
    return "(WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " + std::to_string(count) +
           ") SELECT x FROM c)";
}

/// The template: the sample book with large business tables, made once.
const fs::path& TemplateBook() {
    static const fs::path book = [] {
        const fs::path file = kx::platform::NewPrivateTempName("mde");
        kx::database::CreateSampleBook(file);
        kx::ado::Connection cnn;
        kx::database::CreateCnn(cnn, file.string(), "", "", "###");
        cnn.Open({}, {}, {}, -1);
        cnn.Execute("INSERT INTO kxDocDir ([DocYear],[DocPeriod],[DocType],[DocNo],[DocDate],[AttachCount],"
                    "[Maker],[Checker],[Poster],[IsChecked],[IsPosted]) SELECT 2026, x % 12 + 1, '记', x, "
                    "'2026-01-15 00:00:00', x % 5, '主管', '会计', '主管', 1, 1 FROM " +
                    Numbers(kDocuments));
        cnn.Execute("INSERT INTO kxDocRecs ([DocID],[RowNo],[Summary],[AccCode],[Debit],[Credit],[BranchCode],"
                    "[ItemCode],[FlowCode],[Qty],[Price]) SELECT x / 4 + 1, x % 4 + 1, '销售商品收入 第' || x || "
                    "'笔', '6001' || (x % 7), x * 1.25, x * 0.75, '0' || (x % 9), 'I' || (x % 97), 'F' || (x % 13), "
                    "x % 10, 12.5 FROM " +
                    Numbers(kDocumentRows));
        cnn.Execute("INSERT INTO kxJournalRecs ([JnlID],[RecDate],[Summary],[SettleKind],[SettleNo],[Debit],"
                    "[Credit],[DocID]) SELECT x % 3 + 1, '2026-02-01 00:00:00', '银行存款收款 第' || x || '笔', "
                    "'转账', 'ZZ' || x, x * 2.5, 0, x / 4 + 1 FROM " +
                    Numbers(kJournalRows));
        cnn.Execute("INSERT INTO kxLog ([LogTime],[opName],[LogAction],[LogDetail],[Workstation]) SELECT "
                    "'2026-03-01 08:00:00', '会计', '保存凭证', '保存了记账凭证 记-' || x || '，共四行分录，借贷平衡。', "
                    "'财务室-01' FROM " +
                    Numbers(kLogRows));
        cnn.Close();
        return file;
    }();
    return book;
}

/// The server template's database, dropped when the run ends.
constexpr const char* kServerTemplate = "kxbench_tpl";

/// The template converted into the server, made once, for the server-to-server route.
const std::string& ServerTemplate() {
    static const std::string name = [] {
        const std::string database = kServerTemplate;
        Drop(database);
        const auto login = TestServer();
        if (!kx::database::CreateSqlBook(TemplateBook().string(), login.server, database, login.user,
                                         login.password))
            throw std::runtime_error("the template could not be converted into the server");
        return database;
    }();
    return name;
}

/// An application folder with an empty Data folder for the new book files.
fs::path FreshAppFolder() {
    const fs::path app = kx::platform::PrivateTempFolder() / "app";
    fs::remove_all(app);
    fs::create_directories(app / "Data");
    return app;
}

kx::newbook::NewBookDatabaseRequest Request(const std::string& templateFile, bool isSql, const fs::path& app) {
    kx::newbook::NewBookDatabaseRequest request;
    request.templateFile = templateFile;
    request.isSql = isSql;
    request.bookNo = kBookNo;
    request.operatorName = "主管";
    request.operatorPassword = "8888";
    request.appPath = app.string();
    request.readTarget = TestServer;
    return request;
}

/// The clearing as the wizard runs it with its starting boxes; false (with the
/// reason as the benchmark's error) when a table could not be emptied.
bool Clear(benchmark::State& state, bool isSql, const std::string& bookFile) {
    kx::support::AccountingObject acc;
    std::string problem;
    const kx::newbook::ClearingEvents events{[](short) {}, [&problem](const std::string& message, bool) {
                                                if (problem.empty())
                                                    problem = message;
                                            }};
    kx::newbook::ClearNewBook(isSql, bookFile, TestServer(), kStartingRetain, &acc, events);
    if (problem.empty())
        return true;
    state.SkipWithError(problem.c_str());
    return false;
}

double TemplateMegabytes() {
    return static_cast<double>(fs::file_size(TemplateBook())) / (1024.0 * 1024.0);
}

/// Seconds since it was made, or since the last Lap().
class Stopwatch {
  public:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    /// The seconds so far; starts again from now.
    double Lap() {
        const double seconds = Seconds();
        start_ = std::chrono::steady_clock::now();
        return seconds;
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

/// Adds one run's parts to the counters, as seconds per run.
void Count(benchmark::State& state, const char* part, double seconds) {
    state.counters[part] =
        benchmark::Counter(state.counters[part].value + seconds, benchmark::Counter::kAvgIterations);
}

// ---------------------------------------------------------------- book file to book file

/// A new book made from `templateFile` and cleared as the wizard makes it, its
/// parts counted; false (with the benchmark's error) when that failed.
bool MakeAndClear(benchmark::State& state, const std::string& templateFile, bool isSql, const fs::path& app,
                  const char* failure) {
    Stopwatch watch;
    std::string bookFile;
    std::unique_ptr<kx::newbook::MadeDatabase> made;
    if (!kx::newbook::StageNewBookDatabase(Request(templateFile, isSql, app), bookFile, made)) {
        state.SkipWithError(failure);
        return false;
    }
    Count(state, "copy_s", watch.Lap());
    made->Place();
    bookFile = made->Name();
    made->Keep();
    Count(state, "rest_s", watch.Lap());
    if (!Clear(state, isSql, bookFile))
        return false;
    Count(state, "clearing_s", watch.Lap());
    return true;
}

void FileRoute(benchmark::State& state) {
    const std::string source = TemplateBook().string();
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path app = FreshAppFolder();
        state.ResumeTiming();
        if (!MakeAndClear(state, source, false, app, "the new book file was not made"))
            break;
    }
    state.counters["template_MB"] = TemplateMegabytes();
}

/// The statements the clearing runs for the starting boxes, in its order.
const std::vector<std::string> kStartingDeletes{
    "kxDocDir",     "kxDocRecs",  "kxAccPeriod", "kxBranchInit",  "kxItemInit", "kxFlowInit",  "kxWages",
    "kxWagesRecs",  "kxStaff",    "kxJournal",   "kxJournalRecs", "kxLog",      "kxAccData"};

void FileCopyAndDeletes(benchmark::State& state) {
    const fs::path source = TemplateBook();
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path target = FreshAppFolder() / "Data" / "kxAcc031001.MDE";
        state.ResumeTiming();
        Stopwatch watch;
        fs::copy_file(source, target);
        Count(state, "copy_s", watch.Lap());
        kx::ado::Connection cnn;
        kx::database::CreateCnn(cnn, target.string(), "", "", "###");
        cnn.Open({}, {}, {}, -1);
        for (const std::string& table : kStartingDeletes)
            cnn.Execute("Delete From " + table + " ", nullptr, -1);
        cnn.Close();
        Count(state, "clearing_s", watch.Lap());
    }
    state.counters["template_MB"] = TemplateMegabytes();
}

// ---------------------------------------------------------------- book file to server database

/// The server's own TRUNCATE of the tables the clearing empties, in one statement.
void TruncateClearedTables(const std::string& database) {
    std::string tables;
    for (const std::string& table : kStartingDeletes)
        tables += (tables.empty() ? "" : ", ") + PgName(table);
    Connect(pg::FoldDatabaseName(database)).Exec("TRUNCATE " + tables);
}

/// A new server book made from `source` (a book file or a server location) and
/// cleared, as the wizard makes it.
void ServerBookRoute(benchmark::State& state, const std::string& source, const char* failure) {
    for (auto _ : state) {
        state.PauseTiming();
        Drop(kNewDatabase);
        const fs::path app = FreshAppFolder();
        state.ResumeTiming();
        if (!MakeAndClear(state, source, true, app, failure))
            break;
    }
    Drop(kNewDatabase);
}

void ServerFromFileRoute(benchmark::State& state) {
    ServerBookRoute(state, TemplateBook().string(), "the conversion failed");
}

void ConversionAlone(benchmark::State& state) {
    const auto login = TestServer();
    for (auto _ : state) {
        state.PauseTiming();
        Drop("kxbench_conversion");
        state.ResumeTiming();
        Stopwatch watch;
        if (!kx::database::CreateSqlBook(TemplateBook().string(), login.server, "kxbench_conversion", login.user,
                                         login.password)) {
            state.SkipWithError("the conversion failed");
            break;
        }
        Count(state, "copy_s", watch.Lap());
        TruncateClearedTables("kxbench_conversion");
        Count(state, "clearing_s", watch.Lap());
    }
    Drop("kxbench_conversion");
}

// ---------------------------------------------------------------- server book to server database

std::string ServerTemplateLocation() {
    const auto login = TestServer();
    return login.user + ":" + login.password + "@" + login.server + "|" + ServerTemplate();
}

/// The server copies the template itself.
void ServerToServerRoute(benchmark::State& state) {
    ServerBookRoute(state, ServerTemplateLocation(), "the server's copy failed");
}

/// Another session holds the template: the tables are copied one by one.
void ServerToServerFallbackRoute(benchmark::State& state) {
    const std::string location = ServerTemplateLocation();
    auto holder = Connect(pg::FoldDatabaseName(ServerTemplate()));
    ServerBookRoute(state, location, "the table copy failed");
}

void CreateDatabaseFromTemplate(benchmark::State& state) {
    const std::string& source = ServerTemplate();
    for (auto _ : state) {
        state.PauseTiming();
        Drop("kxbench_template_copy");
        auto admin = Connect("postgres");
        state.ResumeTiming();
        Stopwatch watch;
        admin.Exec("CREATE DATABASE " + PgName("kxbench_template_copy") + " TEMPLATE " + PgName(source));
        Count(state, "copy_s", watch.Lap());
        TruncateClearedTables("kxbench_template_copy");
        Count(state, "clearing_s", watch.Lap());
    }
    Drop("kxbench_template_copy");
}

} // namespace

BENCHMARK(FileRoute)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FileCopyAndDeletes)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ServerFromFileRoute)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ConversionAlone)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ServerToServerRoute)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ServerToServerFallbackRoute)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CreateDatabaseFromTemplate)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    try {
        Drop(kServerTemplate);
    } catch (const std::exception&) {
        // Without a server nothing was made.
    }
    return 0;
}
