#pragma once

#include "e2e/AppFolder.h"
#include "e2e/BookContents.h"
#include "e2e/ServerBooks.h"
#include "e2e/WizardHost.h"

#include "platform/MessageBoxService.h"

#include <QDate>
#include <QString>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace kx::e2e {

/// Which retain boxes the host sets on page 2; nullopt leaves them as they start (all set).
struct RetainChoice {
    const char* name;
    std::optional<RetainBoxes> boxes;
    RetainBoxes Effective() const { return boxes.value_or(kAllRetained); }
};

inline const RetainChoice kStartingBoxes{"StartingBoxes", std::nullopt};
inline const RetainChoice kNoBoxSet{"NoBoxSet", kNoneRetained};
/// Accounts and own reports dropped, staff and wages kept.
inline const RetainChoice kMixedBoxes{"MixedBoxes", RetainBoxes{true, false, true, true, true, false, true, false, true}};

/// What the host types for the new book on page 3.
inline const QString kNewBookName = QStringLiteral("二〇一三账簿");
inline const QString kNewCompany = QStringLiteral("上海某某有限公司");
inline const QString kNewDirector = QStringLiteral("李四");
inline const QDate kNewBeginDate{2013, 3, 15};

/// A new book made through a host of the wizard on an application folder of its
/// own, and what a completed book must look like. The conversion's message box is
/// recorded, never shown.
class NewBookCreation : public testing::Test {
  protected:
    void SetUp() override { platform::InstallMessageBox(&box); }
    void TearDown() override { platform::InstallMessageBox(nullptr); }

  public:
    /// Walks the wizard from the book list `app.ListFile()` to page 3 with book
    /// `bookId` as the template, the operator 主管 with `password`, the server
    /// target of the test run when `toServer`, the retain boxes, and the new book
    /// of the constants above.
    void WalkToNewBookPage(WizardHost& host, int bookId, const RetainChoice& retain, bool toServer,
                           const QString& password = QStringLiteral("8888"));
    /// Walks to page 3 as above, checks the operator as a host does, and shows
    /// page 4, which creates the book.
    void Create(WizardHost& host, int bookId, const RetainChoice& retain, bool toServer);

    /// Completed: the summary lines, the buttons, the Process sequence, the one
    /// notice, no message.
    static void ExpectCompleted(WizardHost& host);
    /// Table by table: emptied, or holding every row of the template as the retain
    /// `boxes` say; kxStatement keeps its standard report rows always, the
    /// template's own reports (AssistCode longer than four characters) only with box 5.
    static void ExpectClearedAsRetained(BookContents& created, BookContents& templateBook, const RetainBoxes& boxes);
    /// Items 5, 6, 14 and 15 are the new book's; the others, the director among
    /// them, keep the template's values.
    static void ExpectBookInformation(BookContents& created, BookContents& templateBook);
    /// The new book's line in the book list.
    static std::string NewListLine(const std::string& folder, const std::string& file);

    AppFolder app;
    ServerBooks server;
    platform::RecordingMessageBox box;
};

} // namespace kx::e2e
