#include "ProviderRegistry.h"

#include "AdoConstants.h"
#include "AdoError.h"
#include "UnicodeText.h"
#include "jet/JetProvider.h"
#include "sqloledb/SqlOleDbProvider.h"

#include <mutex>
#include <vector>

namespace kx::ado {
namespace {

struct Entry {
    std::string name;
    ProviderFactory factory;
};

struct Registry {
    std::mutex mutex;
    std::vector<Entry> entries;

    Registry() {
        entries.push_back({"Microsoft.Jet.OLEDB.4.0", [] { return jet::NewJetProvider(); }});
        entries.push_back({"Microsoft.Jet.OLEDB", [] { return jet::NewJetProvider(); }});
        entries.push_back({"SQLOLEDB.1", [] { return sqloledb::NewSqlOleDbProvider(); }});
        entries.push_back({"SQLOLEDB", [] { return sqloledb::NewSqlOleDbProvider(); }});
    }

    Entry* Find(std::string_view name) {
        for (Entry& e : entries)
            if (text::EqualsIgnoringCase(e.name, name))
                return &e;
        return nullptr;
    }
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

void RegisterProvider(std::string_view name, ProviderFactory factory) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    if (Entry* existing = registry.Find(name))
        existing->factory = std::move(factory);
    else
        registry.entries.push_back({std::string(name), std::move(factory)});
}

std::unique_ptr<Provider> CreateProvider(std::string_view name) {
    ProviderFactory factory;
    {
        Registry& registry = TheRegistry();
        const std::lock_guard lock(registry.mutex);
        if (Entry* entry = registry.Find(name))
            factory = entry->factory;
    }
    std::unique_ptr<Provider> provider = factory ? factory() : nullptr;
    if (!provider)
        throw AdoError(errors::ProviderNotFound, "ADODB.Connection",
                       "Provider cannot be found. It may not be properly installed: \"" + std::string(name) +
                           "\".");
    return provider;
}

bool IsProviderRegistered(std::string_view name) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    return registry.Find(name) != nullptr;
}

} // namespace kx::ado
