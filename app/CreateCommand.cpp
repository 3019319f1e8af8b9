#include "CreateCommand.h"

#include "ApplicationFolder.h"
#include "catalogue/clsBooksList.h"
#include "platform/DiskPath.h"
#include "support/AccountingObject.h"
#include "wizard/CreatLedgerWiz.h"
#include "newbook/SqlLocation.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>

#include <ostream>
#include <regex>
#include <sstream>

namespace kx::app {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

/// Presses and releases the left button on a widget point, as a user's click.
void ClickAt(QWidget* widget, QPoint point) {
    const QPointF local(point);
    const QPointF global(widget->mapToGlobal(point));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

/// The list position of the book whose database is `choice` (a book file path or a
/// SQL location string); -1 when the list holds none.
int ListPositionOf(const std::string& listFile, const std::string& appFolder, const std::string& choice) {
    catalogue::clsBooksList list;
    list.SetAppPath(appFolder);
    if (!list.LoadBooks(listFile))
        return -1;
    const bool sql = newbook::IsSqlLocation(choice);
    const auto wanted = sql ? std::filesystem::path() : platform::ToDiskPath(choice, appFolder);
    for (std::int16_t i = 0; i <= list.BookCount(); ++i) {
        if (sql ? list.isSqlBook(i) && list.GetProperty(i, 1) + "|" + list.BookFile(i) == choice
                : !list.isSqlBook(i) && platform::ToDiskPath(list.BookPathFile(i), appFolder) == wanted)
            return i;
    }
    return -1;
}

/// Selects a template archive row of the control's list by clicking it, as a user
/// does after opening the drop-down.
bool ClickArchiveRow(wizard::CreatLedgerWiz& wiz, const std::string& archive, const std::string& appFolder) {
    auto* grid = wiz.findChild<QTableView*>(QStringLiteral("fg"));
    auto* dropDown = wiz.findChild<QWidget*>(QStringLiteral("TDBText1_0_DropDown"));
    if (grid == nullptr || dropDown == nullptr)
        return false;
    const auto wanted = platform::ToDiskPath(archive, appFolder);
    QAbstractItemModel* model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString path = model->index(row, 1).data().toString() + u'/' + model->index(row, 2).data().toString();
        if (platform::ToDiskPath(path.toStdString(), appFolder) != wanted)
            continue;
        ClickAt(dropDown, dropDown->rect().center());
        grid->scrollTo(model->index(row, 0));
        ClickAt(grid->viewport(), grid->visualRect(model->index(row, 0)).center());
        return true;
    }
    return false;
}

class TextProgress {
public:
    explicit TextProgress(std::ostream& err) : err_(err) {}
    void Show(short value) {
        if (value < 0) {
            err_ << "\n" << std::flush;
            return;
        }
        constexpr int width = 40;
        const int filled = value * width / 100;
        err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(width - filled), '.') << "] " << value << "%" << std::flush;
    }

private:
    std::ostream& err_;
};

} // namespace

std::string ParseCreateOptions(const std::vector<std::string>& args, CreateOptions& options) {
    std::string month;
    std::string keep;
    std::string sql;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* target = a == "--app"        ? &options.appFolder
                              : a == "--template" ? &options.templateChoice
                              : a == "--operator" ? &options.operatorName
                              : a == "--password" ? &options.operatorPassword
                              : a == "--name"     ? &options.bookName
                              : a == "--company"  ? &options.company
                              : a == "--director" ? &options.director
                              : a == "--month"    ? &month
                              : a == "--keep"     ? &keep
                              : a == "--sql"      ? &sql
                                                  : nullptr;
        if (target == nullptr)
            return "unknown option " + a;
        if (++i == args.size())
            return a + " needs a value";
        *target = args[i];
        if (a == "--keep")
            options.keepGiven = true;
        if (a == "--sql")
            options.toServer = true;
    }
    if (options.templateChoice.empty() || options.operatorName.empty() || options.bookName.empty() ||
        options.company.empty() || month.empty())
        return "create needs --template, --operator, --name, --company and --month";
    std::smatch m;
    if (!std::regex_match(month, m, std::regex("([0-9]{4})-([0-9]{1,2})")))
        return "--month takes YYYY-MM";
    options.year = std::stoi(m[1]);
    options.month = std::stoi(m[2]);
    if (options.year < 1900 || options.year > 3000 || options.month < 1 || options.month > 12)
        return "--month is outside 1900-01 .. 3000-12";
    if (options.keepGiven && keep != "none") {
        std::stringstream boxes(keep);
        for (std::string box; std::getline(boxes, box, ',');) {
            if (!std::regex_match(box, std::regex("[0-8]")))
                return "--keep takes box numbers 0 to 8, or none";
            options.keep.push_back(std::stoi(box));
        }
    }
    if (options.toServer) {
        std::stringstream parts(sql);
        std::getline(parts, options.server, ',');
        std::getline(parts, options.user, ',');
        std::getline(parts, options.password);
        if (options.server.empty() || options.user.empty())
            return "--sql takes SERVER,USER,PASSWORD";
    }
    return {};
}

int RunCreateCommand(const CreateOptions& options, std::ostream& out, std::ostream& err) {
    std::string appFolder;
    try {
        appFolder = PrepareApplicationFolder(options.appFolder.empty() ? DefaultApplicationFolder()
                                                                       : options.appFolder);
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 1;
    }

    auto acc = std::make_shared<support::AccountingObject>();
    wizard::CreatLedgerWiz wiz;
    wiz.AppPath = Q(appFolder);
    wiz.Acc = acc;
    TextProgress progress(err);
    QObject::connect(&wiz, &wizard::CreatLedgerWiz::Notify,
                     [&err](const QString& msg, bool) { err << msg.toStdString() << "\n"; });
    QObject::connect(&wiz, &wizard::CreatLedgerWiz::Process, [&progress](short value) { progress.Show(value); });
    wiz.resize(640, 480);

    if (!wiz.Load(Q(PrepareBookList(appFolder)))) {
        err << "无法装入账簿列表。\n";
        return 1;
    }
    wiz.SetStep(0);
    wiz.SetStep(1);

    const std::string& choice = options.templateChoice;
    if (std::regex_match(choice, std::regex("[0-9]+"))) {
        wiz.SetBookID(std::stoi(choice));
    } else if (newbook::IsArchiveLocation(choice)) {
        if (!ClickArchiveRow(wiz, choice, appFolder)) {
            err << "在模板文件夹中找不到模板：" << choice << "\n";
            return 1;
        }
    } else {
        const int position = ListPositionOf(wiz.IniFile().toStdString(), appFolder, choice);
        if (position < 0) {
            err << "账簿列表中没有这个模板账簿：" << choice << "\n";
            return 1;
        }
        wiz.SetBookID(position);
    }
    if (wiz.FromFile().isEmpty()) {
        err << "没有选中模板账簿。\n";
        return 1;
    }

    wiz.findChild<QLineEdit*>(QStringLiteral("TDBText1_1"))->setText(Q(options.operatorName));
    wiz.findChild<QLineEdit*>(QStringLiteral("TDBText1_2"))->setText(Q(options.operatorPassword));
    if (!wiz.PasswordOK()) {
        err << "操作员“" << options.operatorName << "”不能打开模板账簿：名称或密码不对，或没有查看凭证的权限。\n";
        return 1;
    }
    auto* sqlCheck = wiz.findChild<QCheckBox*>(QStringLiteral("chkSql"));
    sqlCheck->setChecked(options.toServer);
    if (options.toServer) {
        wiz.findChild<QLineEdit*>(QStringLiteral("TDBSQL_0"))->setText(Q(options.server));
        wiz.findChild<QLineEdit*>(QStringLiteral("TDBSQL_1"))->setText(Q(options.user));
        wiz.findChild<QLineEdit*>(QStringLiteral("TDBSQL_2"))->setText(Q(options.password));
    }

    wiz.SetStep(2);
    if (options.keepGiven) {
        for (int box = 0; box <= 8; ++box) {
            auto* check = wiz.findChild<QCheckBox*>(QStringLiteral("chkRetain_%1").arg(box));
            check->setChecked(std::find(options.keep.begin(), options.keep.end(), box) != options.keep.end());
        }
    }

    wiz.SetStep(3);
    wiz.SetBookName(Q(options.bookName));
    wiz.SetUserName(Q(options.company));
    wiz.SetDirector(Q(options.director));
    wiz.SetBeginDate(QDate(options.year, options.month, 1));
    wiz.SetStep(4);

    for (int line : {0, 1, 2, 3, 4, 9}) {
        auto* label = wiz.findChild<QLabel*>(QStringLiteral("Label4_%1").arg(line));
        if (label != nullptr && !label->isHidden() && !label->text().isEmpty())
            out << label->text().toStdString() << "\n";
    }
    if (wiz.Completed())
        out << "数据库：" << wiz.BookFile().toStdString() << "\n";
    return wiz.Completed() ? 0 : 1;
}

} // namespace kx::app
