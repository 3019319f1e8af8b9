#pragma once

#include <string_view>

namespace kx::ado::pg {

class PgConnection;

/// A running "COPY ... FROM STDIN": the program streams the rows, the server stores
/// them. Movable, not copyable. The connection must stay open and unused for
/// anything else until the copy is finished or abandoned.
///
/// A copy that is neither finished nor abandoned when the stream goes is abandoned
/// then, so none of its rows stay.
class PgCopyIn {
  public:
    /// Starts the copy; `copySql` must be a COPY ... FROM STDIN statement. Throws
    /// PgError when the server rejects it, std::invalid_argument for another statement.
    PgCopyIn(PgConnection& connection, std::string_view copySql);
    ~PgCopyIn();

    PgCopyIn(PgCopyIn&& other) noexcept;
    PgCopyIn& operator=(PgCopyIn&& other) noexcept;
    PgCopyIn(const PgCopyIn&) = delete;
    PgCopyIn& operator=(const PgCopyIn&) = delete;

    /// Sends bytes of the copy data, in pieces of any size (rows need not be whole).
    void Write(std::string_view data);
    /// Ends the copy and returns the number of rows stored. Throws PgError when the
    /// server refused the data; then none of it is stored.
    long long Finish();
    /// Ends the copy so that none of its rows are stored. Never throws.
    void Abandon() noexcept;

    bool IsActive() const noexcept { return connection_ != nullptr; }

  private:
    PgConnection* connection_ = nullptr;
};

} // namespace kx::ado::pg
