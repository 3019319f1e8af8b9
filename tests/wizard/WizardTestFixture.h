#pragma once

#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "platform/AnsiTextFile.h"
#include "wizard/BookListModel.h"
#include "wizard/CreatLedgerWiz.h"
#include "newbook/ZipBuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kx::wizard::test {

inline QString Q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

/// Records every signal of one wizard, through direct connections.
struct SignalLog {
    explicit SignalLog(CreatLedgerWiz& wiz) {
        const auto direct = Qt::DirectConnection;
        QObject::connect(&wiz, &CreatLedgerWiz::BeforeStep, &wiz, [this](short s, bool&) { beforeSteps.push_back(s); }, direct);
        QObject::connect(&wiz, &CreatLedgerWiz::AfterStep, &wiz, [this](short s) { afterSteps.push_back(s); }, direct);
        QObject::connect(&wiz, &CreatLedgerWiz::Command, &wiz, [this](const QString& n, bool&) { commands.push_back(n); }, direct);
        QObject::connect(&wiz, &CreatLedgerWiz::Notify, &wiz, [this](const QString& m, bool box) { notices.emplace_back(m, box); }, direct);
        QObject::connect(&wiz, &CreatLedgerWiz::AfterAddItem, &wiz, [this] { ++addedItems; }, direct);
    }
    std::vector<short> beforeSteps, afterSteps;
    std::vector<QString> commands;
    std::vector<std::pair<QString, bool>> notices;
    int addedItems = 0;
};

/// Shows a window as the active one, so that focus and mouse work.
inline void ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

/// A wizard on an application folder of its own: Data/kxSample.mde (a copy of the
/// sample book), a book list books.txt written by the test, template archives in Data.
class WizardOnAppFolder : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(app.path() / "Data");
        std::filesystem::copy_file(kx::test::SampleBookCopy::Master(), app.path() / "Data" / "kxSample.mde");
        wiz.AppPath = Q(app.path());
        wiz.resize(640, 480);
    }

    std::filesystem::path ListFile() const { return app.path() / "books.txt"; }
    /// Writes the book list the way the catalogue does: records ended by CR, CR LF at the end.
    void WriteList(const std::vector<std::string>& lines) const {
        std::string text;
        for (const std::string& line : lines)
            text += (text.empty() ? "" : "\r") + line;
        platform::WriteAnsiTextFile(ListFile(), text + "\r\n");
    }
    void WriteArchive(const std::string& name) const {
        newbook::test::ZipBuilder().File("book.mde", "template book").WriteTo(app.path() / "Data" / name);
    }
    std::string SampleLine() const { return "样本账簿\t..\\Data\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t"; }
    bool LoadList() { return wiz.Load(Q(ListFile())); }

    template <typename T> T* Child(const char* name) const {
        T* child = wiz.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QTableView* Grid() const { return Child<QTableView>("fg"); }
    BookListModel* Model() const { return qobject_cast<BookListModel*>(Grid()->model()); }
    QLineEdit* Field(const char* name) const { return Child<QLineEdit>(name); }

    kx::test::TempFolder app;
    CreatLedgerWiz wiz;
    SignalLog log{wiz};
};

} // namespace kx::wizard::test
