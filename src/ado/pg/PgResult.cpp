#include "ado/pg/PgResult.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <stdexcept>

namespace kx::ado::pg {

namespace {

struct ClearResult {
    void operator()(PGresult* result) const noexcept { PQclear(result); }
};

} // namespace

PgResult PgResult::Adopt(pg_result* result) noexcept {
    PgResult adopted;
    if (result != nullptr) {
        try {
            adopted.result_ = std::shared_ptr<pg_result>(result, ClearResult{});
        } catch (...) {
            // shared_ptr runs the deleter itself when it cannot allocate its block.
        }
    }
    return adopted;
}

int PgResult::RowCount() const noexcept {
    return result_ ? PQntuples(result_.get()) : 0;
}

int PgResult::ColumnCount() const noexcept {
    return result_ ? PQnfields(result_.get()) : 0;
}

void PgResult::CheckColumn(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        throw std::out_of_range("result column " + std::to_string(column) + " out of range");
    }
}

void PgResult::CheckCell(int row, int column) const {
    CheckColumn(column);
    if (row < 0 || row >= RowCount()) {
        throw std::out_of_range("result row " + std::to_string(row) + " out of range");
    }
}

std::string PgResult::ColumnName(int column) const {
    CheckColumn(column);
    return PQfname(result_.get(), column);
}

int PgResult::ColumnIndex(std::string_view name) const noexcept {
    // PQfnumber would fold unquoted names itself; names here are compared as they are.
    for (int column = 0; column < ColumnCount(); ++column) {
        if (name == PQfname(result_.get(), column)) {
            return column;
        }
    }
    return -1;
}

unsigned int PgResult::ColumnType(int column) const {
    CheckColumn(column);
    return PQftype(result_.get(), column);
}

PgFormat PgResult::ColumnFormat(int column) const {
    CheckColumn(column);
    return PQfformat(result_.get(), column) == 1 ? PgFormat::Binary : PgFormat::Text;
}

bool PgResult::IsNull(int row, int column) const {
    CheckCell(row, column);
    return PQgetisnull(result_.get(), row, column) == 1;
}

std::string_view PgResult::Value(int row, int column) const {
    CheckCell(row, column);
    const int length = PQgetlength(result_.get(), row, column);
    return {PQgetvalue(result_.get(), row, column), static_cast<std::size_t>(length)};
}

std::optional<std::string_view> PgResult::OptionalValue(int row, int column) const {
    if (IsNull(row, column)) {
        return std::nullopt;
    }
    return Value(row, column);
}

long long PgResult::AffectedRows() const noexcept {
    if (!result_) {
        return 0;
    }
    const char* count = PQcmdTuples(result_.get());
    return (count != nullptr && *count != '\0') ? std::strtoll(count, nullptr, 10) : 0;
}

std::string PgResult::CommandTag() const {
    if (!result_) {
        return {};
    }
    const char* tag = PQcmdStatus(result_.get());
    return tag != nullptr ? tag : "";
}

} // namespace kx::ado::pg
