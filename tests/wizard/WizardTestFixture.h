#pragma once

#include "SampleBookCopy.h"
#include "TempFolder.h"
#include "platform/AnsiTextFile.h"
#include "wizard/BookListModel.h"
#include "wizard/CreatLedgerWiz.h"
#include "wizard/WizardTestSupport.h"
#include "newbook/ZipBuilder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kx::wizard::test {

using newbook::test::ZipBuilder;

inline QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

/// Types `text` into `widget` key by key; characters without a key of their own
/// (Chinese, the ideographic space) arrive as key events that carry only text.
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

/// A wizard on an application folder of its own: Data/kxSample.mde (a copy of the
/// sample book), a book list books.txt written by the test, template archives in
/// Data (the default template folder "data" finds it whatever the case).
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
        for (std::size_t i = 0; i < lines.size(); ++i)
            text += (i == 0 ? "" : "\r") + lines[i];
        platform::WriteAnsiTextFile(ListFile(), text + "\r\n");
    }
    void WriteArchive(const std::string& name) const {
        ZipBuilder().File("book.mde", "template book").WriteTo(app.path() / "Data" / name);
    }
    std::string SampleLine() const { return "样本账簿\t..\\Data\tkxSample.mde\t××××有限公司\t(未知)\t0\t\t"; }

    bool LoadList() { return wiz.Load(Q(ListFile())); }
    /// Shows the wizard as the active window, so that focus and mouse work.
    void ShowActive() {
        wiz.show();
        wiz.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&wiz));
    }

    template <typename T> T* Child(const QString& name) const {
        T* child = wiz.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    QTableView* Grid() const { return Child<QTableView>(QStringLiteral("fg")); }
    BookListModel* Model() const { return qobject_cast<BookListModel*>(Grid()->model()); }
    QLineEdit* Field(const char* name) const { return Child<QLineEdit>(QString::fromLatin1(name)); }
    QLabel* Label(int page, int index) const {
        return Child<QLabel>(QStringLiteral("Label%1_%2").arg(page).arg(index));
    }
    QString Cell(int row, BookListModel::Column column) const { return Model()->Text(row, column); }

    kx::test::TempFolder app;
    CreatLedgerWiz wiz;
    SignalLog log{wiz};
};

} // namespace kx::wizard::test
