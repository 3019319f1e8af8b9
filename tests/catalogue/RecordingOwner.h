#pragma once

#include "catalogue/BooksListEvents.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kx::catalogue::test {

/// An owner of a book list that writes down every event it receives, in order, and
/// answers the list's questions as told.
class RecordingOwner : public BooksListEvents {
  public:
    /// e.g. "DataChanged 1 bookguid", "Error 增加账簿", "Notify 这是… (no box)"
    std::vector<std::string> log;
    std::vector<std::pair<std::int16_t, std::string>> errors; ///< number and message
    std::set<std::string> cancelCommands;
    std::function<bool(std::int16_t)> allowRemove = [](std::int16_t) { return true; };

    /// The events of the log that begin with `kind`, e.g. "Error ".
    std::vector<std::string> Events(const std::string& kind) const {
        std::vector<std::string> events;
        for (const std::string& event : log)
            if (event.rfind(kind, 0) == 0)
                events.push_back(event);
        return events;
    }
    void Clear() {
        log.clear();
        errors.clear();
    }

    void DataChanged(std::int16_t Index, const std::string& DataName) override {
        log.push_back("DataChanged " + std::to_string(Index) + " " + DataName);
    }
    void Error(std::int16_t ErrNo, const std::string& ErrMsg, const std::string& ErrTitle) override {
        log.push_back("Error " + ErrTitle);
        errors.emplace_back(ErrNo, ErrMsg);
    }
    void BeforeCommand(const std::string& CmdName, bool& Cancel) override {
        log.push_back("BeforeCommand " + CmdName);
        Cancel = cancelCommands.count(CmdName) != 0;
    }
    void AfterCommand(const std::string& CmdName) override { log.push_back("AfterCommand " + CmdName); }
    void BeforeRemove(std::int16_t Index, bool& Cancel) override {
        log.push_back("BeforeRemove " + std::to_string(Index));
        Cancel = !allowRemove(Index);
    }
    void AfterRemove(std::int16_t Index) override { log.push_back("AfterRemove " + std::to_string(Index)); }
    void Notify(const std::string& Msg, bool ShowBox) override {
        log.push_back("Notify " + Msg + (ShowBox ? "" : " (no box)"));
    }
};

} // namespace kx::catalogue::test
