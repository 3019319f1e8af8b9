#pragma once

#include <QString>

#include <string>
#include <vector>

namespace kx::app {

/// The rows that the wizard's template drop-down offers, read without a view:
/// the template archives of the template folder (the last name first), then one
/// row per book list line that names a database file.
class TemplateRows {
  public:
    /// Reads the book list `listFile` and the archives of `templateFolder` (both
    /// resolved against `appPath`). Throws when the list cannot be read.
    TemplateRows(const QString& listFile, const QString& templateFolder, const QString& appPath);

    int Count() const noexcept { return static_cast<int>(rows_.size()); }
    /// How many archive rows come before the book list's.
    int ArchiveCount() const noexcept { return archiveCount_; }

    /// The first row whose shown folder and file name are the disk file `file`
    /// (resolved against the application folder); -1 when there is none.
    int RowOfFile(const std::string& file) const;

    /// The template location of `row`, as the wizard takes it from the row: a
    /// server book's SQL location string, else the database file's path.
    QString Location(int row) const;
    /// Whether the row's template can be used: a server book always, a file when
    /// it exists.
    bool Exists(int row) const;

  private:
    struct Row {
        QString storedPath;
        QString bookFile;
    };
    /// The folder as the drop-down shows it.
    QString ShownPath(const Row& row) const;

    QString appPath_;
    std::vector<Row> rows_;
    int archiveCount_ = 0;
};

} // namespace kx::app
