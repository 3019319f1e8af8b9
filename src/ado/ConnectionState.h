#pragma once

#include "AdoConstants.h"
#include "Properties.h"
#include "Provider.h"

#include <memory>
#include <string>
#include <vector>

namespace kx::ado::detail {

class RecordsetData;

/// The shared inside of a Connection: every copy of a Connection and every
/// Recordset opened on it refer to one ConnectionState.
struct ConnectionState {
    std::string provider;
    Properties properties;
    long mode = adModeUnknown;
    long cursorLocation = adUseServer;
    long connectionTimeout = 15;
    long commandTimeout = 30;
    /// Present exactly while the connection is open.
    std::unique_ptr<Provider> open;
    /// Recordsets of this connection whose rows the provider has not read yet.
    std::vector<std::weak_ptr<RecordsetData>> unreadRecordsets;

    ProviderSettings Settings() const { return ProviderSettings{mode, connectionTimeout, commandTimeout}; }
    /// The open provider, for one command; throws errors::ObjectClosed when the
    /// connection is closed. Reads the unread rows of this connection's recordsets
    /// first, so that they show the data as it was when they were opened, whatever
    /// the command changes (and before a Close ends their source).
    Provider& OpenProvider(const char* source);
};

} // namespace kx::ado::detail
