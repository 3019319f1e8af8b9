#pragma once

#include "TempFolder.h"
#include "ado/Connection.h"
#include "ado/jet/BookFile.h"
#include "database/CreateCnn.h"

#include <string>
#include <vector>

namespace kx::test {

/// A new keyed book file `file`, open, after running `statements` (Jet DDL or DML) on it.
inline ado::Connection OpenNewKeyedBook(const std::string& file,
                                        const std::vector<std::string>& statements = {}) {
    ado::jet::CreateBookFile(file, database::kBookDatabasePassword);
    ado::Connection cnn;
    database::CreateCnn(cnn, file, "", "", "###");
    cnn.Open({}, {}, {}, -1);
    for (const auto& statement : statements)
        cnn.Execute(statement);
    return cnn;
}

/// A keyed book file "book.mde" in `folder` with tables made by `statements`.
inline std::string MakeKeyedBook(const TempFolder& folder, const std::vector<std::string>& statements) {
    const std::string file = (folder.path() / "book.mde").string();
    OpenNewKeyedBook(file, statements).Close();
    return file;
}

} // namespace kx::test
