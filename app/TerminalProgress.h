#pragma once

#include <iosfwd>
#include <string>

namespace kx::app {

/// A progress bar redrawn in place on one line of a terminal stream, with the
/// messages that come while it is shown: every message starts on a line of its
/// own, so that it is never glued to the bar.
class TerminalProgress {
  public:
    explicit TerminalProgress(std::ostream& out) : out_(out) {}

    /// Draws the bar at `percent` (0 to 100) over the bar's line.
    void Draw(int percent);
    /// Ends the bar's line when the bar is on it; otherwise writes nothing.
    void EndLine();
    /// Writes `text` and a line end, on a line of its own.
    void Message(const std::string& text);

  private:
    std::ostream& out_;
    bool onLine_ = false;
};

} // namespace kx::app
