#pragma once

namespace kx::platform {

/// Lets the host's pending window events run once, between the steps of a long
/// operation. Does nothing when no Qt application object exists (tools, tests of
/// plain classes).
void LetPendingEventsRun();

} // namespace kx::platform
