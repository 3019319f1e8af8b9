#include "PendingEvents.h"

#include <QCoreApplication>

namespace kx::platform {

void LetPendingEventsRun() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

} // namespace kx::platform
