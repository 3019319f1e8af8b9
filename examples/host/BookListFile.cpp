#include "BookListFile.h"

#include <QFile>
#include <QStringDecoder>

QList<BookListRow> ReadBookList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decode("GB18030");
    const QString text = decode(file.readAll());
    QList<BookListRow> rows;
    for (QString record : text.split(QLatin1Char('\r'), Qt::SkipEmptyParts)) {
        record.remove(QLatin1Char('\n'));
        const QStringList fields = record.split(QLatin1Char('\t'));
        if (fields.size() < 4 || fields[0].trimmed().isEmpty())
            continue;
        // The folder field is written with "\" or "/" as separator, as the book was.
        QString folder = fields[1];
        const QChar separator = folder.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
        if (!folder.isEmpty() && !folder.endsWith(separator))
            folder += separator;
        rows.append({fields[0], fields[3], folder + fields[2]});
    }
    return rows;
}
