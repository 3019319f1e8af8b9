#pragma once

#include <cstdint>
#include <string>

namespace kx::catalogue {

/// What a book list tells its owner. Every event is raised synchronously on the
/// calling thread; the member that raised it goes on only after the handler has
/// returned. Handlers may call back into the list. Each default does nothing, so an
/// owner overrides only what it listens to. Handlers should not throw.
class BooksListEvents {
  public:
    virtual ~BooksListEvents() = default;

    /// A field of entry `Index` was changed; `DataName` is the field's key
    /// ("bookname" ... "bookguid"), or "" for a piece beyond the eight fields.
    virtual void DataChanged(std::int16_t /*Index*/, const std::string& /*DataName*/) {}
    /// A member failed: `ErrTitle` names the operation, `ErrMsg` describes the failure.
    virtual void Error(std::int16_t /*ErrNo*/, const std::string& /*ErrMsg*/,
                       const std::string& /*ErrTitle*/) {}
    /// "Load", "Save" or "Add" is about to run; setting `Cancel` stops it.
    virtual void BeforeCommand(const std::string& /*CmdName*/, bool& /*Cancel*/) {}
    /// "Load", "Save" or "Add" completed.
    virtual void AfterCommand(const std::string& /*CmdName*/) {}
    /// Entry `Index` is about to be removed; setting `Cancel` keeps it.
    virtual void BeforeRemove(std::int16_t /*Index*/, bool& /*Cancel*/) {}
    /// Entry `Index` was removed.
    virtual void AfterRemove(std::int16_t /*Index*/) {}
    /// A message for the user; `ShowBox` asks for a message box.
    virtual void Notify(const std::string& /*Msg*/, bool /*ShowBox*/) {}
};

} // namespace kx::catalogue
