// An example host of the wizard control CreatLedgerWiz: a main window with the
// control, driven through Qt's meta-object only. See HostWindow.h.
//
//   ledgerwiz-host --app DIR                       the window, for a user
//   ledgerwiz-host --app DIR --auto --operator 主管 --password 8888
//       --name 新账簿 --company 某某公司 --month 2026-01    a creation without a user
//
// The application folder must hold the book list (books.txt unless --list names
// another); `ledgerwiz books --app DIR books.txt` prepares one with the sample book.
#include "AutoCreation.h"
#include "HostWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

namespace {

/// Saves a picture of `window` to `file` when one is asked for; false when it
/// could not be written.
bool SaveScreenshot(QWidget& window, const QString& file) {
    return file.isEmpty() || window.grab().save(file);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ledgerwiz-host"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Example host of the CreatLedgerWiz control."));
    parser.addHelpOption();
    const QCommandLineOption app(QStringLiteral("app"), QStringLiteral("The application folder."),
                                 QStringLiteral("DIR"));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("The book list file in it."),
                                  QStringLiteral("FILE"), QStringLiteral("books.txt"));
    const QCommandLineOption autoRun(QStringLiteral("auto"),
                                     QStringLiteral("Create a new book without a user and exit (0: completed)."));
    const QCommandLineOption templateBook(QStringLiteral("template"),
                                          QStringLiteral("Book list position of the template (--auto)."),
                                          QStringLiteral("POS"), QStringLiteral("0"));
    const QCommandLineOption operatorName(QStringLiteral("operator"), QStringLiteral("Operator (--auto)."),
                                          QStringLiteral("NAME"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Operator's password (--auto)."),
                                      QStringLiteral("PW"));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("New book's name (--auto)."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption company(QStringLiteral("company"), QStringLiteral("New book's company (--auto)."),
                                     QStringLiteral("TEXT"));
    const QCommandLineOption director(QStringLiteral("director"), QStringLiteral("Financial director (--auto)."),
                                      QStringLiteral("TEXT"));
    const QCommandLineOption month(QStringLiteral("month"), QStringLiteral("First month, YYYY-MM (--auto)."),
                                   QStringLiteral("YYYY-MM"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the window to FILE (after --auto, or "
                                                       "once the window is shown) and exit."),
                                        QStringLiteral("FILE"));
    parser.addOptions({app, list, autoRun, templateBook, operatorName, password, name, company, director, month,
                       screenshot});
    parser.process(application);

    QTextStream err(stderr);
    if (!parser.isSet(app)) {
        err << "ledgerwiz-host: --app DIR is needed\n";
        return 2;
    }
    const QDir folder(parser.value(app));
    HostWindow window(folder.absolutePath(), folder.absoluteFilePath(parser.value(list)));
    window.resize(760, 560);
    window.show();

    AutoInputs inputs;
    if (parser.isSet(autoRun)) {
        bool positionRead = false;
        inputs.templatePosition = parser.value(templateBook).toInt(&positionRead);
        inputs.operatorName = parser.value(operatorName);
        inputs.password = parser.value(password);
        inputs.bookName = parser.value(name);
        inputs.company = parser.value(company);
        inputs.director = parser.value(director);
        inputs.beginMonth = QDate::fromString(parser.value(month) + QStringLiteral("-01"), Qt::ISODate);
        if (!positionRead || !inputs.beginMonth.isValid() || !parser.isSet(operatorName) || !parser.isSet(name) ||
            !parser.isSet(company)) {
            err << "ledgerwiz-host: --auto needs --operator, --name, --company, --month YYYY-MM and a numeric "
                   "--template\n";
            return 2;
        }
    }

    // Runs once the event loop has shown the window.
    QTimer::singleShot(0, &window, [&] {
        const QString picture = parser.value(screenshot);
        if (!parser.isSet(autoRun)) {
            window.Start();
            if (!picture.isEmpty())
                QApplication::exit(SaveScreenshot(window, picture) ? 0 : 1);
            return;
        }
        QString failure;
        const bool completed = RunAutoCreation(window, inputs, &failure);
        if (!completed)
            err << "ledgerwiz-host: " << failure << '\n';
        else
            QTextStream(stdout) << window.LastNotice() << '\n';
        if (!SaveScreenshot(window, picture)) {
            err << "ledgerwiz-host: cannot write " << picture << '\n';
            QApplication::exit(1);
            return;
        }
        QApplication::exit(completed ? 0 : 1);
    });
    return QApplication::exec();
}
