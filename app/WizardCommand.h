#pragma once

namespace kx::app {

/// `ledgerwiz [wizard] [--app DIR]`: opens the wizard window on the application
/// folder (default: the per-user data folder), preparing it with the sample book
/// and the book list on first use. Qt's own options (-platform ...) are taken
/// from the command line first. Returns the exit status: 0 when the window was
/// closed, 1 when the folder could not be prepared, 2 for a command line that is
/// not understood.
int RunWizardCommand(int argc, char** argv);

} // namespace kx::app
