#pragma once

#include <string>
#include <vector>

namespace kx::newbook {

/// What the result page of the creation says: a title, the lines under it (the
/// lines past these are not shown) and the closing line ("" for none).
struct CreationSummary {
    std::string title;
    std::vector<std::string> lines;
    std::string closing;
    /// The book was made and put into the book list.
    bool completed = false;
};

/// The result page while the new book is being made: the working title over the
/// captions the page starts with.
CreationSummary CreationUnderWay();

/// How the creation of a new book reports to whoever runs it (the wizard
/// control, or a command without widgets). Calls come in the order of the
/// creation and in the middle of it.
class CreationObserver {
  public:
    virtual ~CreationObserver() = default;

    /// Progress: 0 at the start, then 5, 20, 40, 60, 100, and -1 at the end.
    virtual void Process(short indicator) = 0;
    /// A message for the user; `showBox` asks for a message box.
    virtual void Prompt(const std::string& message, bool showBox) = 0;
    /// The new book's database (a book file path or a database name) as soon as
    /// it is chosen, also when making it fails afterwards, and again when it
    /// changes because another program took the name first. Not called when no
    /// name was chosen.
    virtual void BookFileChosen(const std::string& bookFile) = 0;
    /// A step failed and the creation goes on: the result page shows `summary`
    /// and the way forward is closed.
    virtual void StepFailed(const CreationSummary& summary) = 0;
    /// The creation reached its last step: the result page shows `summary`, which
    /// says whether the book was completed; a book that was not is gone again.
    virtual void Finished(const CreationSummary& summary) = 0;

  protected:
    CreationObserver() = default;
    CreationObserver(const CreationObserver&) = default;
    CreationObserver& operator=(const CreationObserver&) = default;
};

} // namespace kx::newbook
