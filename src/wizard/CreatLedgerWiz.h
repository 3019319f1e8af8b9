#pragma once

#include "ado/Connection.h"
#include "catalogue/BookLocation.h"
#include "newbook/CreationObserver.h"
#include "newbook/NewBookCreation.h"
#include "wizard/WizardSurface.h"

#include <QDate>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>


namespace kx::platform {
class PropertyStore;
}
namespace kx::support {
class AccountingObject;
}

namespace kx::wizard {

/// The new-book wizard control. The host places it on a window, sets `AppPath`,
/// `Acc` and `IniFile`, calls `Load`, and drives the five pages (0 to `MaxStep`)
/// by setting `Step`; the control reports through its signals, which are meant
/// for direct connections (handlers run in the middle of the member that raises
/// them, and the `Cancel` arguments are read back after they return).
///
/// Page 1 shows the book list as a drop-down under the template field: one row per
/// book list line with a database (hidden rows stay hidden) and, above them, one
/// per template archive of `PathTemplates`. A left click (or Enter) on a row makes
/// it the template: `FromFile` is set and "AfterBookSelected" is raised, after
/// which the host reads the buttons again.
///
/// Child controls carry the object names of the wizard surface ("Frame1_0".."Frame1_4",
/// "fg", "C1EList", "TDBText1_0".., "UpDown_0", ...), so hosts and tests can find them.
class CreatLedgerWiz : public QWidget {
    Q_OBJECT
    // The whole interface is reachable through the meta-object, so that a host
    // needs no header of this class: the public data members and `Acc` as
    // properties, the indexed properties as invokable getters and setters taking
    // the index. Only the persisted properties are designable.
    Q_PROPERTY(QString AppPath MEMBER AppPath DESIGNABLE false)
    Q_PROPERTY(QString AccPeriod MEMBER AccPeriod DESIGNABLE false)
    Q_PROPERTY(void* Acc READ AccAddress WRITE SetAccAddress DESIGNABLE false)
    Q_PROPERTY(QString BookFile READ BookFile WRITE SetBookFile DESIGNABLE false)
    Q_PROPERTY(int BookID READ BookID WRITE SetBookID DESIGNABLE false)
    Q_PROPERTY(QString BookName READ BookName WRITE SetBookName DESIGNABLE false)
    Q_PROPERTY(QString BookNo READ BookNo WRITE SetBookNo DESIGNABLE false)
    Q_PROPERTY(QString UserName READ UserName WRITE SetUserName DESIGNABLE false)
    Q_PROPERTY(QString Director READ Director WRITE SetDirector DESIGNABLE false)
    Q_PROPERTY(QDate BeginDate READ BeginDate WRITE SetBeginDate DESIGNABLE false)
    Q_PROPERTY(QString FromFile READ FromFile DESIGNABLE false)
    Q_PROPERTY(QString PathTemplates READ PathTemplates WRITE SetPathTemplates)
    Q_PROPERTY(QString PathSamples READ PathSamples WRITE SetPathSamples)
    // The colours once more, under their persisted keys, for a form designer
    // only: hosts reach them as the indexed ForeColorBookList.
    Q_PROPERTY(uint ForeColorBookList0 READ ForeColorBookList0 WRITE SetForeColorBookList0 SCRIPTABLE false)
    Q_PROPERTY(uint ForeColorBookList1 READ ForeColorBookList1 WRITE SetForeColorBookList1 SCRIPTABLE false)
    Q_PROPERTY(uint ForeColorBookList2 READ ForeColorBookList2 WRITE SetForeColorBookList2 SCRIPTABLE false)
    Q_PROPERTY(uint ForeColorBookList3 READ ForeColorBookList3 WRITE SetForeColorBookList3 SCRIPTABLE false)
    Q_PROPERTY(short Step READ Step WRITE SetStep DESIGNABLE false)
    Q_PROPERTY(bool Completed READ Completed WRITE SetCompleted DESIGNABLE false)
    Q_PROPERTY(short MaxStep READ MaxStep CONSTANT DESIGNABLE false)
    Q_PROPERTY(bool PasswordOK READ PasswordOK DESIGNABLE false)
    Q_PROPERTY(QString IniFile READ IniFile WRITE SetIniFile DESIGNABLE false)
    Q_PROPERTY(bool Abort READ Abort WRITE SetAbort DESIGNABLE false)

  public:
    /// Colours are 0x00BBGGRR, or 0x80000000 plus a system colour index.
    using Colour = std::uint32_t;

    /// Initial text colours of the book list rows, by index.
    static constexpr std::array<Colour, 4> kInitialForeColors{0x404040u, 0x80000002u, 0x80000012u, 0x400000u};
    /// Keys of the persisted properties.
    static constexpr const char* kKeyPathTemplates = "PathTemplates";
    static constexpr const char* kKeyPathSamples = "PathSamples";

    explicit CreatLedgerWiz(QWidget* parent = nullptr);
    ~CreatLedgerWiz() override;

    /// The host application's folder, without a trailing separator.
    QString AppPath;
    /// Kept for the host; the control neither reads nor writes it.
    QString AccPeriod;
    /// The host's accounting object; members that need it throw
    /// `support::SupportError` while it is empty.
    std::shared_ptr<support::AccountingObject> Acc;
    /// `Acc` for hosts that reach the control through its meta-object (the
    /// property "Acc"): the address of the host's `support::AccountingObject`, or
    /// null for none. The setter does not take ownership; the host keeps the
    /// object alive while the control may use it, or clears it first.
    void* AccAddress() const noexcept { return Acc.get(); }
    void SetAccAddress(void* acc);

    QString BookFile() const { return bookFile_; }
    void SetBookFile(const QString& value) { bookFile_ = value; }

    /// The book list position requested by the host; -1 for none.
    int BookID() const { return bookId_; }
    /// Stores `value`; loads the list first when the grid is empty, then selects
    /// the book's grid row (`value` + template rows) as template when it exists.
    void SetBookID(int value);

    /// Name of the new book (text of "TDBText3_0").
    QString BookName() const;
    void SetBookName(const QString& value);

    /// Book number of the new book; "1" while none is stored.
    QString BookNo() const;
    void SetBookNo(const QString& value) { bookNo_ = value; }

    /// Company of the new book (text of "TDBText3_1").
    QString UserName() const;
    void SetUserName(const QString& value);

    /// Financial director of the new book (text of "TDBText3_2").
    QString Director() const;
    void SetDirector(const QString& value);

    /// First day of the start month held in the year and month fields; a null
    /// date when the fields do not make a date.
    QDate BeginDate() const;
    /// Puts the date's year and month into the spinners and their fields.
    /// Throws std::out_of_range, changing nothing, for a year outside 1900..3000
    /// (a null date included).
    void SetBeginDate(const QDate& value);

    /// Location of the chosen template's database; "" until one is chosen.
    QString FromFile() const { return fromFile_; }

    /// The template folder. An empty setting resolves to `AppPath` + "/data", one
    /// with a single leading "\" to `AppPath` + setting; the resolution is stored,
    /// so it is also what gets persisted. Nothing is resolved or stored while
    /// `AppPath` is empty.
    QString PathTemplates();
    void SetPathTemplates(const QString& value);

    /// A folder kept and persisted for the host.
    QString PathSamples() const { return pathSamples_; }
    void SetPathSamples(const QString& value);

    /// Text colour `index` (0..3) of the book list. Throws std::out_of_range for
    /// another index.
    Q_INVOKABLE uint ForeColorBookList(short index) const;
    /// Sets colour `index`; an index outside 0..3 is ignored without error.
    Q_INVOKABLE void SetForeColorBookList(short index, uint colour);

    /// The page shown (0..`MaxStep`).
    short Step() const { return step_; }
    /// Moves to page `value`: out of range does nothing; otherwise raises
    /// `BeforeStep` (which may cancel), shows the page, sets the host buttons'
    /// captions and states for it, gives its first field the focus and raises
    /// `AfterStep`. Page 3 fills an empty name and company with placeholders and
    /// an empty start month with today's; page 4 shows its working caption and
    /// leaves the buttons as they were.
    void SetStep(short value);

    bool Completed() const { return completed_; }
    /// Stores `value`; true also sends the "Branch" notice through `Acc` (each
    /// time). Throws `support::SupportError` when `Acc` is empty (the value is
    /// stored all the same).
    void SetCompleted(bool value);

    /// Caption and enabled state of the host's button `index` (0 cancel, 1 back,
    /// 2 next, 3 unused). Throw std::out_of_range for an index outside 0..3.
    Q_INVOKABLE QString ButtonCaption(short index) const;
    Q_INVOKABLE bool ButtonEnabled(short index) const;

    static constexpr short MaxStep() { return 4; }

    /// The number that names this control in its notices to the host ("|All|..."):
    /// unique among the controls of this process, never reused, and taken without
    /// making the control a native window.
    std::uint64_t WindowNumber() const noexcept { return windowNumber_; }
    /// The live control whose notices carry `number`, or nullptr.
    static CreatLedgerWiz* FromWindowNumber(std::uint64_t number) noexcept;

    /// Whether the operator typed on page 1 may open the template book: a server
    /// template compares the stored password, a book file asks the book (password
    /// and the right "VCH_LOOK"), a template archive needs no operator. The typed
    /// name cannot change the statements it is looked up with. False on any
    /// failure; shows nothing.
    bool PasswordOK() const;

    /// The book list file. The setter resolves "..", a leading single "\" and
    /// leaves drive-letter, absolute and share paths as they are.
    QString IniFile() const { return iniFile_; }
    void SetIniFile(const QString& value);

    bool Abort() const { return abort_; }
    void SetAbort(bool value) { abort_ = value; }

    /// Loads the book list into the grid; true when it was loaded. Raises
    /// "BeforeLoadList" first (a cancel ends it with false) and "AfterLoadList"
    /// after a load. A non-empty `rFileName` is given to the `IniFile` setter
    /// first. Without `AppPath` or the list file it tells the user (both messages
    /// when both are missing) and keeps the rows it had.
    Q_INVOKABLE bool Load(const QString& rFileName = QString());
    /// Raises `Notify(rMsg, rShowBox)`.
    Q_INVOKABLE void Prompt(const QString& rMsg, bool rShowBox = false);
    /// Makes the new book's database from the template (`FromFile`; an archive is
    /// unpacked first and its unpacked copy removed afterwards): a copied book
    /// file, a converted or a copied server database, named after `BookNo` (the
    /// next free name when another program takes one first). `BookFile` takes the
    /// new location as soon as it is chosen. True when the database was made;
    /// false when a server copy failed, whose database is dropped. Throws WizardError
    /// (522) with the message for the user, and lets the platform's and the data
    /// layer's errors through.
    Q_INVOKABLE bool AddNewFile(bool isSql = false);
    /// Runs "Delete From " + `rTableName` + " " + `rWhere` on `rCnn`; true when it
    /// ran. A failure (no connection included) is told through `Prompt` without
    /// the box and gives false.
    Q_INVOKABLE bool ZapTable(const QString& rTableName, const QString& rWhere = QString(),
                              kx::ado::Connection* rCnn = nullptr);

    /// Restores the persisted properties; each key absent from `store` keeps the
    /// current value. Clears the changed marks.
    void ReadProperties(const platform::PropertyStore& store);
    /// Writes all six persisted properties with their stored values (the template
    /// folder as stored, unresolved unless it was read). Clears the changed marks.
    void WriteProperties(platform::PropertyStore& store);
    /// Keys of the persisted properties set since they were last read or written.
    const std::set<std::string>& ChangedProperties() const noexcept { return changed_; }

  signals:
    void BeforeStep(short StepNo, bool& Cancel);
    void AfterStep(short StepNo);
    void Command(const QString& CmdName, bool& Cancel);
    void Notify(const QString& Msg, bool ShowBox);
    void Process(short Indicator);
    void AfterAddItem();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    /// Shows the creation's reports on this control: its events, page 4 and the
    /// host buttons.
    class CreationPage;

    void ConnectSurface();
    void SetUpPage(short page);
    void SetNextEnabled(bool enabled);
    /// Entering page 4: shows the working caption, then creates the new book.
    void RunCreation();
    /// Creates the new book: database, book information, clearing, book list
    /// line, and the summary page, which says the book was made (and `Completed`
    /// becomes true) only when every step went through; otherwise what was made
    /// is removed again. True when it ran to its end; every failure that stops it
    /// is shown through `Prompt` with the box.
    bool CreateNewAccBook();
    /// What the pages say about the new book, for a creation or one of its steps
    /// (without the notice window, which only the list step needs).
    newbook::NewBookRequest CreationRequest(bool isSql) const;
    /// Writes the new book's name, company, start month and installation mark.
    bool WriteBookInfo(bool isSql);
    /// Empties the new book's tables as the retain boxes say.
    bool ClearNewBook(bool isSql);
    /// Page 4 showing `summary`: the title, its lines (the others hidden).
    void ShowSummary(const newbook::CreationSummary& summary);
    /// The server target typed on page 1.
    newbook::ServerLogin SqlTarget() const;

    // The book list view.
    void RemoveEmptyRows();
    void AddTemplateRows(QString extension);
    void PrepareListRows();
    void OnDropDown();
    void SelectListRow(Qt::MouseButton button, int clickedRow = -1);
    void ShowSqlPanel();
    void OnCreateListEntryClicked();

    // The template location.
    bool SetTemplateFromRow(int row);
    /// The location of a book row, read from its stored path and file.
    catalogue::BookLocation LocationOfRow(int row) const;

    /// Appends the new book's line to the book list and tells the host.
    bool AddBookListEntry(bool isSql);

    /// The focus check of page-3 field `index`; false keeps the focus there.
    bool ValidateNewBookField(std::size_t index);

    // The designer's colour properties.
    uint ForeColorBookList0() const { return ForeColorBookList(0); }
    uint ForeColorBookList1() const { return ForeColorBookList(1); }
    uint ForeColorBookList2() const { return ForeColorBookList(2); }
    uint ForeColorBookList3() const { return ForeColorBookList(3); }
    void SetForeColorBookList0(uint colour) { SetForeColorBookList(0, colour); }
    void SetForeColorBookList1(uint colour) { SetForeColorBookList(1, colour); }
    void SetForeColorBookList2(uint colour) { SetForeColorBookList(2, colour); }
    void SetForeColorBookList3(uint colour) { SetForeColorBookList(3, colour); }

    bool RaiseCommand(const QString& name);
    void MarkChanged(const std::string& key);

    // Declared before the surface, so that the number exists while it is built.
    const std::uint64_t windowNumber_;
    WizardSurface ui_;
    QString iniFile_;
    short step_ = 0;
    bool abort_ = false;
    QString bookFile_;
    QString bookNo_;
    bool completed_ = false;
    QString fromFile_;
    std::array<Colour, 4> foreColors_ = kInitialForeColors;
    std::array<QString, 4> buttonCaptions_;
    std::array<bool, 4> buttonEnabled_{};
    int bookId_ = -1;
    short templateRowCount_ = 0;
    QString pathTemplates_;
    QString pathSamples_;
    std::set<std::string> changed_;
};

} // namespace kx::wizard
