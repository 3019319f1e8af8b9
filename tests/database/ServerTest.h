#pragma once

#include "database/CreateCnn.h"

#include "ado/Connection.h"
#include "ado/pg/PgConnection.h"
#include "ado/pg/PgQuote.h"
#include "pg/TestServer.h"
#include "platform/MessageBoxService.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kx::test {

/// A test on the throwaway server: message boxes are recorded instead of shown, and
/// every database the test names is dropped at its end.
class ServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_ = ado::pg::testing::TestServerSettings("postgres");
        if (!settings_)
            GTEST_SKIP() << ado::pg::testing::kNoServerReason;
        platform::InstallMessageBox(&box);
    }
    void TearDown() override {
        platform::InstallMessageBox(nullptr);
        if (!settings_)
            return;
        ado::pg::PgConnection admin(*settings_);
        for (const auto& name : names_)
            admin.Exec("DROP DATABASE IF EXISTS " + ado::pg::QuoteIdent(ado::pg::FoldDatabaseName(name)) +
                       " WITH (FORCE)");
    }
    /// `name`, dropped at the test's end.
    std::string Named(std::string name) { return names_.emplace_back(std::move(name)); }
    std::string NewName() { return Named("kxAcc" + ado::pg::testing::NewTestDatabaseName()); }
    std::string Server() const { return settings_->host + "," + settings_->port; }
    /// An open connection to `database` as the book routines make one.
    ado::Connection Open(const std::string& database) const {
        ado::Connection cnn;
        database::CreateCnn(cnn, database, Server(), settings_->user, settings_->password);
        cnn.Open({}, {}, {}, -1);
        return cnn;
    }
    bool Exists(const std::string& database) const {
        return ado::pg::PgConnection(*settings_)
                   .Exec("SELECT 1 FROM pg_database WHERE datname = " +
                         ado::pg::QuoteLiteral(ado::pg::FoldDatabaseName(database)))
                   .RowCount() == 1;
    }

    platform::RecordingMessageBox box;
    std::optional<ado::pg::PgConnectionSettings> settings_;

  private:
    std::vector<std::string> names_;
};

} // namespace kx::test
