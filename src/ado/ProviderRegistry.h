#pragma once

#include "Provider.h"
#include "TableTextReader.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kx::ado {

/// Makes a new, unopened provider.
using ProviderFactory = std::function<std::unique_ptr<Provider>()>;

/// Registers (or replaces) the provider of that name. Names are compared without
/// regard to case. The built-in "Microsoft.Jet.OLEDB.4.0" (also reachable as
/// "Microsoft.Jet.OLEDB") is registered before the first lookup; other providers
/// register themselves at start-up. Safe to call from any thread.
void RegisterProvider(std::string_view name, ProviderFactory factory);

/// A new provider of that name; throws AdoError (errors::ProviderNotFound) when
/// none is registered.
std::unique_ptr<Provider> CreateProvider(std::string_view name);

/// True when a provider of that name is registered.
bool IsProviderRegistered(std::string_view name);

/// A new reader of the tables of books of the provider of that name (names
/// compared without regard to case), for another provider that imports them: the
/// built-in "Microsoft.Jet.OLEDB.4.0" (and "Microsoft.Jet.OLEDB") has one; a
/// provider given by RegisterProvider has none, also when it replaces a built-in
/// one. Throws AdoError (errors::ProviderNotFound) for a provider without one.
std::unique_ptr<TableTextReader> CreateTableTextReader(std::string_view name);

} // namespace kx::ado
