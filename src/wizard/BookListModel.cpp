#include "wizard/BookListModel.h"

#include "catalogue/BookLocation.h"
#include "platform/DiskPath.h"

#include <QBrush>
#include <QFont>

#include <array>

namespace kx::wizard {

namespace {

constexpr std::array<const char*, BookListModel::ColumnCount> kColumnKeys{
    "BookName", "BookPath", "BookFile", "UserName", "CurrentPeriod", "Visible"};

/// The number a text starts with, as a lenient reader takes it: leading spaces
/// skipped, digits up to the first other character, 0 when there are none.
double LeadingNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'+' || trimmed[end] == u'-'))
        ++end;
    bool seenPoint = false;
    while (end < trimmed.size() && (trimmed[end].isDigit() || (trimmed[end] == u'.' && !seenPoint))) {
        seenPoint = seenPoint || trimmed[end] == u'.';
        ++end;
    }
    bool ok = false;
    const double value = trimmed.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

QString ExtensionOf(const QString& file) {
    return QString::fromStdString(platform::ExtensionOf(file.toStdString()));
}

} // namespace

BookListModel::BookListModel(QObject* parent) : QStandardItemModel(0, ColumnCount, parent) {
    for (int c = 0; c < ColumnCount; ++c)
        setHeaderData(c, Qt::Horizontal, QString::fromLatin1(kColumnKeys[static_cast<std::size_t>(c)]));
}

int BookListModel::ColumnOf(QStringView key) const {
    for (int c = 0; c < columnCount(); ++c)
        if (headerData(c, Qt::Horizontal).toString() == key)
            return c;
    return -1;
}

QString BookListModel::Text(int row, Column column) const {
    return data(index(row, ColumnOf(QString::fromLatin1(kColumnKeys[column])))).toString();
}

void BookListModel::SetText(int row, Column column, const QString& text) {
    const int c = ColumnOf(QString::fromLatin1(kColumnKeys[column]));
    if (item(row, c) == nullptr)
        setItem(row, c, new QStandardItem);
    item(row, c)->setText(text);
}

QString BookListModel::StoredPath(int row) const {
    return data(index(row, ColumnOf(u"BookPath")), kStoredPathRole).toString();
}

bool BookListModel::IsSqlBookRow(int row) const {
    return catalogue::BookLocation::IsServerText(StoredPath(row).toStdString());
}

void BookListModel::AppendTabText(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = normalised.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        const QStringList fields = line.split(u'\t');
        QList<QStandardItem*> cells;
        for (int c = 0; c < ColumnCount; ++c)
            cells.append(new QStandardItem(c < fields.size() ? fields[c] : QString()));
        appendRow(cells);
    }
}

void BookListModel::RemoveEmptyRows() {
    int row = 0;
    while (row < rowCount()) {
        if (Text(row, BookFile).isEmpty())
            removeRow(row);
        else
            ++row;
    }
}

void BookListModel::InsertArchiveRow(const QString& folder, const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    QList<QStandardItem*> cells;
    for (int c = 0; c < ColumnCount; ++c)
        cells.append(new QStandardItem);
    insertRow(0, cells);
    SetText(0, BookName, dot < 0 ? fileName : fileName.left(dot));
    SetText(0, BookPath, folder);
    SetText(0, BookFile, fileName);
}

BookListModel::RowKind BookListModel::KindOf(const QString& bookFile, const QString& bookPath) {
    const QString extension = ExtensionOf(bookFile);
    if (extension == QStringLiteral("WAK"))
        return RowKind::Archive;
    if (extension == QStringLiteral("WSK"))
        return RowKind::WskBook;
    if (catalogue::BookLocation::IsServerText(bookPath.toStdString()))
        return RowKind::SqlBook;
    return RowKind::AccessBook;
}

BookListModel::RowKind BookListModel::PrepareRow(int row, const QString& appPath) {
    const QString path = Text(row, BookPath);
    setData(index(row, ColumnOf(u"BookPath")), path, kStoredPathRole);
    const RowKind kind = KindOf(Text(row, BookFile), path);
    if (kind == RowKind::SqlBook)
        SetText(row, BookPath,
                QString::fromStdString(std::string(
                    catalogue::BookLocation::FromListFields(path.toStdString(), {}).Server().value_or(""))));
    else if (!appPath.isEmpty())
        SetText(row, BookPath,
                QString::fromStdString(catalogue::BookLocation::StoredFolder(path.toStdString(), appPath.toStdString())));
    return kind;
}

bool BookListModel::IsHiddenRow(int row) const {
    return LeadingNumber(Text(row, Visible)) == 1.0;
}

void BookListModel::SetRowForeground(int row, const QBrush& brush) {
    for (int c = 0; c < columnCount(); ++c)
        setData(index(row, c), brush, Qt::ForegroundRole);
}

void BookListModel::SetRowBold(int row, bool bold, const QFont& base) {
    QFont font = base;
    font.setBold(true);
    for (int c = 0; c < columnCount(); ++c)
        setData(index(row, c), bold ? QVariant(font) : QVariant(), Qt::FontRole);
}

} // namespace kx::wizard
