#include "Fields.h"

#include "AdoConstants.h"
#include "AdoError.h"
#include "RecordsetData.h"

namespace kx::ado {

long Fields::Count() const {
    return static_cast<long>(data_->ColumnCount());
}

Field Fields::Item(long index) const {
    if (index < 0)
        throw AdoError(
            errors::ItemNotFound, "ADODB.Fields",
            "Item cannot be found in the collection corresponding to the requested name or ordinal: " +
                std::to_string(index) + ".");
    data_->Column(static_cast<std::size_t>(index));
    return Field(data_, static_cast<std::size_t>(index));
}

Field Fields::Item(std::string_view name) const {
    return Field(data_, data_->ColumnIndex(name));
}

} // namespace kx::ado
