#include "ProviderRegistry.h"

#include "AdoConstants.h"
#include "AdoError.h"
#include "UnicodeText.h"
#include "jet/JetBookReader.h"
#include "jet/JetProvider.h"
#include "sqloledb/SqlOleDbProvider.h"

#include <mutex>
#include <vector>

namespace kx::ado {
namespace {

struct Entry {
    std::string name;
    ProviderFactory factory;
    /// Empty for a provider whose books other providers cannot read.
    std::function<std::unique_ptr<TableTextReader>()> tableReader;
};

struct Registry {
    std::mutex mutex;
    std::vector<Entry> entries;

    Registry() {
        const auto jetReader = []() -> std::unique_ptr<TableTextReader> {
            return std::make_unique<jet::JetBookReader>();
        };
        entries.push_back({"Microsoft.Jet.OLEDB.4.0", [] { return jet::NewJetProvider(); }, jetReader});
        entries.push_back({"Microsoft.Jet.OLEDB", [] { return jet::NewJetProvider(); }, jetReader});
        entries.push_back({"SQLOLEDB.1", [] { return sqloledb::NewSqlOleDbProvider(); }, {}});
        entries.push_back({"SQLOLEDB", [] { return sqloledb::NewSqlOleDbProvider(); }, {}});
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

/// Calls the factory `member` of the entry registered as `name`, outside the lock;
/// a name without one, or a factory that gives nothing, is an unknown provider.
template <class Made>
std::unique_ptr<Made> CreateFromEntry(std::string_view name, std::function<std::unique_ptr<Made>()> Entry::*member) {
    std::function<std::unique_ptr<Made>()> factory;
    {
        Registry& registry = TheRegistry();
        const std::lock_guard lock(registry.mutex);
        if (Entry* entry = registry.Find(name))
            factory = entry->*member;
    }
    std::unique_ptr<Made> made = factory ? factory() : nullptr;
    if (!made)
        throw AdoError(errors::ProviderNotFound, "ADODB.Connection",
                       "Provider cannot be found. It may not be properly installed: \"" + std::string(name) +
                           "\".");
    return made;
}

} // namespace

void RegisterProvider(std::string_view name, ProviderFactory factory) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    if (Entry* existing = registry.Find(name))
        *existing = Entry{existing->name, std::move(factory), {}};
    else
        registry.entries.push_back({std::string(name), std::move(factory), {}});
}

std::unique_ptr<Provider> CreateProvider(std::string_view name) {
    return CreateFromEntry(name, &Entry::factory);
}

std::unique_ptr<TableTextReader> CreateTableTextReader(std::string_view name) {
    return CreateFromEntry(name, &Entry::tableReader);
}

bool IsProviderRegistered(std::string_view name) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    return registry.Find(name) != nullptr;
}

} // namespace kx::ado
