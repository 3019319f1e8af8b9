#include "Properties.h"

#include "AdoConstants.h"
#include "AdoError.h"
#include "UnicodeText.h"

#include <algorithm>

namespace kx::ado {

const Property* Properties::Find(std::string_view name) const {
    for (const Property& p : items_)
        if (text::EqualsIgnoringCase(p.name, name))
            return &p;
    return nullptr;
}

void Properties::Set(std::string_view name, Variant value) {
    for (Property& p : items_) {
        if (text::EqualsIgnoringCase(p.name, name)) {
            p.value = std::move(value);
            return;
        }
    }
    items_.push_back(Property{std::string(name), std::move(value)});
}

const Variant& Properties::Get(std::string_view name) const {
    if (const Property* found = Find(name))
        return found->value;
    throw AdoError(
        errors::ItemNotFound, "ADODB.Properties",
        "Item cannot be found in the collection corresponding to the requested name or ordinal: \"" +
            std::string(name) + "\".");
}

Variant Properties::ValueOr(std::string_view name, Variant fallback) const {
    if (const Property* found = Find(name))
        return found->value;
    return fallback;
}

std::string Properties::Text(std::string_view name) const {
    const Property* found = Find(name);
    return found != nullptr ? found->value.ToString() : std::string();
}

bool Properties::Contains(std::string_view name) const {
    return Find(name) != nullptr;
}

bool Properties::Remove(std::string_view name) {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [&](const Property& p) { return text::EqualsIgnoringCase(p.name, name); });
    if (it == items_.end())
        return false;
    items_.erase(it);
    return true;
}

const Property& Properties::Item(std::size_t index) const {
    if (index >= items_.size())
        throw AdoError(
            errors::ItemNotFound, "ADODB.Properties",
            "Item cannot be found in the collection corresponding to the requested name or ordinal: " +
                std::to_string(index) + ".");
    return items_[index];
}

} // namespace kx::ado
