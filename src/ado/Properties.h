#pragma once

#include "Variant.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ado {

/// One named property value.
struct Property {
    std::string name;
    Variant value;
};

/// A collection of named values whose names match without regard to letter case
/// ("Jet OLeDB:Database Password" finds "Jet OLEDB:Database Password"). Keeps the
/// order in which the names were first set and the spelling of the first setting.
class Properties {
  public:
    /// Sets the value, adding the property when no property of that name exists.
    void Set(std::string_view name, Variant value);
    /// The value; throws AdoError (errors::ItemNotFound) when there is no such property.
    const Variant& Get(std::string_view name) const;
    /// The value, or `fallback` when there is no such property.
    Variant ValueOr(std::string_view name, Variant fallback) const;
    /// The value as text ("" for a missing property, Null or Empty).
    std::string Text(std::string_view name) const;
    bool Contains(std::string_view name) const;
    /// Removes the property; false when there was none.
    bool Remove(std::string_view name);
    void Clear() noexcept { items_.clear(); }

    std::size_t Count() const noexcept { return items_.size(); }
    /// The property at `index` (0-based); throws ItemNotFound out of range.
    const Property& Item(std::size_t index) const;
    const std::vector<Property>& Items() const noexcept { return items_; }

  private:
    const Property* Find(std::string_view name) const;
    std::vector<Property> items_;
};

} // namespace kx::ado
