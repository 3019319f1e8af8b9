#pragma once

#include "AdoConstants.h"
#include "Properties.h"
#include "Provider.h"

#include <memory>
#include <string>

namespace kx::ado::detail {

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

    ProviderSettings Settings() const { return ProviderSettings{mode, connectionTimeout, commandTimeout}; }
    /// The open provider; throws errors::ObjectClosed when the connection is closed.
    Provider& OpenProvider(const char* source) const;
};

} // namespace kx::ado::detail
