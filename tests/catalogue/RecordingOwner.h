#pragma once

#include "catalogue/BooksListEvents.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kx::catalogue::test {

/// An owner of a book list that writes down every event in order ("Error 增加账簿",
/// "BeforeRemove 1", "Notify … (no box)") and answers the list's questions as told.
struct RecordingOwner : BooksListEvents {
    using S = const std::string&;
    std::vector<std::string> log;
    std::vector<std::pair<std::int16_t, std::string>> errors; ///< number and message
    std::set<std::string> cancelCommands;
    std::function<bool(std::int16_t)> allowRemove = [](std::int16_t) { return true; };

    /// The events of the log that begin with `kind`, e.g. "Error ".
    std::vector<std::string> Events(S kind) const {
        std::vector<std::string> events;
        std::copy_if(log.begin(), log.end(), std::back_inserter(events),
                     [&](S e) { return e.starts_with(kind); });
        return events;
    }
    void Clear() { log.clear(), errors.clear(); }

    void DataChanged(std::int16_t i, S name) override {
        log.push_back("DataChanged " + std::to_string(i) + " " + name);
    }
    void Error(std::int16_t no, S msg, S title) override {
        log.push_back("Error " + title);
        errors.emplace_back(no, msg);
    }
    void BeforeCommand(S name, bool& cancel) override {
        log.push_back("BeforeCommand " + name);
        cancel = cancelCommands.count(name) != 0;
    }
    void AfterCommand(S name) override { log.push_back("AfterCommand " + name); }
    void BeforeRemove(std::int16_t i, bool& cancel) override {
        log.push_back("BeforeRemove " + std::to_string(i));
        cancel = !allowRemove(i);
    }
    void AfterRemove(std::int16_t i) override { log.push_back("AfterRemove " + std::to_string(i)); }
    void Notify(S msg, bool box) override { log.push_back("Notify " + msg + (box ? "" : " (no box)")); }
};

} // namespace kx::catalogue::test
