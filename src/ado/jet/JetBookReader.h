#pragma once

#include "ado/TableTextReader.h"

#include <memory>

namespace kx::ado::jet {

/// The TableTextReader of the "Microsoft.Jet.OLEDB.4.0" provider: reads tables of
/// book files, opened read-only with their password as the provider opens them.
///
/// The last book file read stays open for the next table (opening a keyed book
/// costs the key derivation every time); it is opened anew when the path text or
/// the password differ, or when the file on disk is no longer the same file with
/// the same size and times. Release or destruction closes it.
///
/// The rows come in the order of the table's storage (its row numbers), which is
/// the order in which "Select * From" on the book file gives them. A failure of
/// the book file throws the provider's own AdoError (and closes the book kept
/// open, so that the next read opens the file anew).
class JetBookReader final : public TableTextReader {
  public:
    JetBookReader();
    ~JetBookReader() override;
    JetBookReader(JetBookReader&&) noexcept;
    JetBookReader& operator=(JetBookReader&&) noexcept;
    JetBookReader(const JetBookReader&) = delete;
    JetBookReader& operator=(const JetBookReader&) = delete;

    void Read(const TableTextRequest& request, const TextRowSink& row) override;
    void Release() noexcept override;

  private:
    struct OpenBook;
    std::unique_ptr<OpenBook> book_;
};

} // namespace kx::ado::jet
