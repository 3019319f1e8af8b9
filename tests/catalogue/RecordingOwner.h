#pragma once

#include "catalogue/BooksListEvents.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kx::catalogue::test {

/// An owner of a book list that writes down every event it receives and answers
/// the list's questions as told.
class RecordingOwner : public BooksListEvents {
  public:
    struct ErrorEvent {
        std::int16_t number;
        std::string message;
        std::string title;
    };
    struct Notice {
        std::string message;
        bool showBox;
    };

    /// Every event in order, e.g. "DataChanged 1 bookguid", "BeforeCommand Add".
    std::vector<std::string> log;
    std::vector<ErrorEvent> errors;
    std::vector<Notice> notices;
    /// Commands whose BeforeCommand is cancelled.
    std::set<std::string> cancelCommands;
    /// The answer to BeforeRemove: true lets the removal go on.
    std::function<bool(std::int16_t)> allowRemove = [](std::int16_t) { return true; };

    std::vector<std::string> ErrorTitles() const {
        std::vector<std::string> titles;
        for (const auto& e : errors)
            titles.push_back(e.title);
        return titles;
    }
    void Clear() {
        log.clear();
        errors.clear();
        notices.clear();
    }

    void DataChanged(std::int16_t Index, const std::string& DataName) override {
        log.push_back("DataChanged " + std::to_string(Index) + " " + DataName);
    }
    void Error(std::int16_t ErrNo, const std::string& ErrMsg, const std::string& ErrTitle) override {
        log.push_back("Error " + ErrTitle);
        errors.push_back({ErrNo, ErrMsg, ErrTitle});
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
        log.push_back("Notify");
        notices.push_back({Msg, ShowBox});
    }
};

} // namespace kx::catalogue::test
