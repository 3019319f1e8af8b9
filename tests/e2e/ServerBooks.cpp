#include "e2e/ServerBooks.h"

#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "database/CreateCnn.h"
#include "database/SqlBookConversion.h"
#include "pg/TestServer.h"

#include <cstdio>
#include <random>

namespace kx::e2e {

namespace pg = ado::pg;

std::string BookDatabaseName(int bookNo) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", bookNo);
    return std::string("kxAcc") + digits;
}

ServerBooks::ServerBooks() : settings_(pg::testing::TestServerSettings("postgres")) {}

ServerBooks::~ServerBooks() {
    if (!settings_ || owned_.empty())
        return;
    try {
        pg::PgConnection admin(*settings_);
        for (const std::string& name : owned_)
            admin.Exec("DROP DATABASE IF EXISTS " + pg::QuoteIdent(pg::FoldDatabaseName(name)) + " WITH (FORCE)");
    } catch (const std::exception&) {
        // The throwaway server goes at the end of the run with whatever is left.
    }
}

std::string ServerBooks::Server() const {
    return settings_->host + "," + settings_->port;
}

std::string ServerBooks::Location() const {
    return User() + ":" + Password() + "@" + Server();
}

std::string ServerBooks::Own(const std::string& database) {
    owned_.push_back(database);
    return owned_.back();
}

std::string ServerBooks::NewDatabaseName() {
    return Own("kxAcc" + pg::testing::NewTestDatabaseName());
}

int ServerBooks::FreeBookNumber() {
    std::random_device seed;
    std::mt19937 pick(seed());
    std::uniform_int_distribution<int> numbers(10000, 32767);
    for (;;) {
        const int bookNo = numbers(pick);
        const std::string name = BookDatabaseName(bookNo);
        if (Exists(name) || Exists(name + "_1") || Exists(name + "_2"))
            continue;
        for (const char* suffix : {"", "_1", "_2"})
            Own(name + suffix);
        return bookNo;
    }
}

bool ServerBooks::Exists(const std::string& database) {
    pg::PgConnection admin(*settings_);
    const std::string folded = pg::FoldDatabaseName(database);
    return admin.Exec("SELECT 1 FROM pg_database WHERE datname = " + pg::QuoteLiteral(folded)).RowCount() == 1;
}

bool ServerBooks::Convert(const std::filesystem::path& book, const std::string& database) {
    return database::CreateSqlBook(book.string(), Server(), database, User(), Password());
}

void ServerBooks::CreateDatabase(const std::string& database, const std::vector<std::string>& statements) {
    ado::Connection cnn;
    database::CreateCnn(cnn, "master", Server(), User(), Password());
    cnn.Open({}, {}, {}, -1);
    cnn.Execute("Create Database " + database);
    cnn.Execute("Use " + database);
    for (const std::string& statement : statements)
        cnn.Execute(statement);
    cnn.Close();
}

} // namespace kx::e2e
