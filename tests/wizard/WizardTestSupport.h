#pragma once

#include "wizard/CreatLedgerWiz.h"

#include <QString>

#include <utility>
#include <vector>

namespace kx::wizard::test {

/// Records every signal of one wizard, through direct connections.
struct SignalLog {
    explicit SignalLog(CreatLedgerWiz& wiz) {
        QObject::connect(
            &wiz, &CreatLedgerWiz::BeforeStep, &wiz,
            [this](short step, bool&) { beforeSteps.push_back(step); }, Qt::DirectConnection);
        QObject::connect(
            &wiz, &CreatLedgerWiz::AfterStep, &wiz, [this](short step) { afterSteps.push_back(step); },
            Qt::DirectConnection);
        QObject::connect(
            &wiz, &CreatLedgerWiz::Command, &wiz,
            [this](const QString& name, bool&) { commands.push_back(name); }, Qt::DirectConnection);
        QObject::connect(
            &wiz, &CreatLedgerWiz::Notify, &wiz,
            [this](const QString& msg, bool box) { notices.emplace_back(msg, box); }, Qt::DirectConnection);
        QObject::connect(
            &wiz, &CreatLedgerWiz::AfterAddItem, &wiz, [this] { ++addedItems; }, Qt::DirectConnection);
    }

    std::vector<short> beforeSteps;
    std::vector<short> afterSteps;
    std::vector<QString> commands;
    std::vector<std::pair<QString, bool>> notices;
    int addedItems = 0;
};

} // namespace kx::wizard::test
