#pragma once

#include <QStandardItemModel>
#include <QString>
#include <QStringView>

class QBrush;
class QFont;

namespace kx::wizard {

/// The rows of the wizard's book list grid: one per book list line (its first six
/// fields) and one per template archive. Columns are found by their keys, the
/// horizontal header texts "BookName", "BookPath", "BookFile", "UserName",
/// "CurrentPeriod", "Visible". The BookPath cell shows a display text and keeps
/// the path as the list stores it under `kStoredPathRole`.
class BookListModel : public QStandardItemModel {
    Q_OBJECT

  public:
    enum Column { BookName, BookPath, BookFile, UserName, CurrentPeriod, Visible, ColumnCount };
    /// How a row is shown, decided from its BookFile extension and its BookPath.
    enum class RowKind { Archive, WskBook, SqlBook, AccessBook };

    /// The role under which the BookPath cell keeps the stored path.
    static constexpr int kStoredPathRole = Qt::UserRole + 1;

    explicit BookListModel(QObject* parent = nullptr);

    /// The column of `key`; -1 for an unknown key.
    int ColumnOf(QStringView key) const;

    QString Text(int row, Column column) const;
    void SetText(int row, Column column, const QString& text);
    /// The path of the row as stored, before PrepareRow made its display text.
    QString StoredPath(int row) const;
    /// True for a server book's row: its stored path holds "@".
    bool IsSqlBookRow(int row) const;

    /// Appends one row per line of `text` (CR, LF or CR LF end a line; a last empty
    /// line makes no row), its tab-separated fields filling the columns in order.
    void AppendTabText(const QString& text);
    /// Removes every row whose BookFile cell is empty.
    void RemoveEmptyRows();
    /// Inserts a template archive row as row 0.
    void InsertArchiveRow(const QString& folder, const QString& fileName);

    /// The kind of a row: "WAK" or "WSK" BookFile extension (exact case), then
    /// a BookPath with "@" (a server book), else a book file.
    static RowKind KindOf(const QString& bookFile, const QString& bookPath);
    /// Keeps the BookPath text as the stored path and replaces it by the display
    /// text of the row's kind: the server for a server book, else the path with
    /// every `appPath` replaced by "..". Answers the kind.
    RowKind PrepareRow(int row, const QString& appPath);
    /// True when the numeric value of the row's Visible cell is 1 (hidden).
    bool IsHiddenRow(int row) const;

    void SetRowForeground(int row, const QBrush& brush);
    /// Shows the row in `base` made bold, or back in the view's own font.
    void SetRowBold(int row, bool bold, const QFont& base);
};

} // namespace kx::wizard
