#include "ado/sqloledb/OpenDataSourceReader.h"

#include "ado/AdoError.h"
#include "ado/ProviderRegistry.h"
#include "ado/sqloledb/ProviderErrors.h"

namespace kx::ado::sqloledb {

namespace {

/// The one provider whose books OPENDATASOURCE reads (the translator refuses others).
constexpr const char* kBookProvider = "Microsoft.Jet.OLEDB.4.0";

} // namespace

void OpenDataSourceReader::Read(const tsql::ImportJetTable& import, const TextRowSink& row) {
    TableTextRequest request{import.filePath, import.password, import.sourceTable, {}};
    request.columns.reserve(import.columns.size());
    for (const tsql::JetImportColumn& column : import.columns) {
        request.columns.push_back(column.sourceColumn);
    }
    bool insideSink = false;
    try {
        if (!reader_) {
            reader_ = CreateTableTextReader(kBookProvider);
        }
        reader_->Read(request, [&](const TextRow& values) {
            insideSink = true;
            row(values);
            insideSink = false;
        });
    } catch (const AdoError& error) {
        if (insideSink) {
            throw;
        }
        throw AdoError(error.Number(), kProviderSource,
                       std::string("OLE DB provider \"") + kBookProvider + "\" returned message \"" +
                           error.Description() + "\" for the book file \"" + import.filePath + "\".",
                       kNativeLinkedProviderError);
    }
}

void OpenDataSourceReader::Release() noexcept {
    if (reader_) {
        reader_->Release();
    }
}

} // namespace kx::ado::sqloledb
