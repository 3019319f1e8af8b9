#pragma once

#include <QString>
#include <QStringList>
#include <QList>

/// One book of the application's book list: name, company and where its
/// database is.
struct BookListRow {
    QString name;
    QString company;
    QString location;
};

/// Reads the book list file `path` (GB18030 text, one record per book, records
/// ended by a carriage return, fields separated by tabs). An unreadable file
/// gives no rows.
QList<BookListRow> ReadBookList(const QString& path);
