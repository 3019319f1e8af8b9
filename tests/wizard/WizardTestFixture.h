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

} // namespace kx::wizard::test
