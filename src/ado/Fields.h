#pragma once

#include "Field.h"

#include <memory>
#include <string_view>

namespace kx::ado {

namespace detail {
class RecordsetData;
}

/// The fields of a Recordset, by position (0-based) or by name (without regard
/// to case). Unknown names and positions throw AdoError (errors::ItemNotFound).
class Fields {
  public:
    long Count() const;
    Field Item(long index) const;
    Field Item(std::string_view name) const;

  private:
    friend class Recordset;
    explicit Fields(std::shared_ptr<detail::RecordsetData> data) : data_(std::move(data)) {}
    std::shared_ptr<detail::RecordsetData> data_;
};

} // namespace kx::ado
