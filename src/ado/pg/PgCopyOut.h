#pragma once

#include <string>
#include <string_view>

namespace kx::ado::pg {

class PgConnection;

/// A running "COPY ... TO STDOUT": the server streams the rows, the program reads
/// them. Movable, not copyable. The connection must stay open and unused for
/// anything else until all data has been read; a stream that goes before that
/// reads and drops the rest, so the connection is usable again afterwards.
class PgCopyOut {
  public:
    /// Starts the copy; `copySql` must be a COPY ... TO STDOUT statement. Throws
    /// PgError when the server rejects it, std::invalid_argument for another statement.
    PgCopyOut(PgConnection& connection, std::string_view copySql);
    ~PgCopyOut();

    PgCopyOut(PgCopyOut&& other) noexcept;
    PgCopyOut& operator=(PgCopyOut&& other) noexcept;
    PgCopyOut(const PgCopyOut&) = delete;
    PgCopyOut& operator=(const PgCopyOut&) = delete;

    /// The next piece of copy data in `chunk` (in text format one row with its
    /// line end) and true; false when the copy is over and the server reported
    /// success. Throws PgError when the copy failed on the server.
    bool Read(std::string& chunk);

    bool IsActive() const noexcept { return connection_ != nullptr; }

  private:
    void Drain() noexcept;

    PgConnection* connection_ = nullptr;
};

} // namespace kx::ado::pg
