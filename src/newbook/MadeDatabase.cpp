#include "newbook/MadeDatabase.h"

#include "newbook/StagedBookFile.h"
#include "newbook/WizardError.h"
#include "database/BracketedName.h"
#include "database/CreateCnn.h"
#include "platform/DiskPath.h"
#include "platform/PlatformError.h"

#include <utility>

namespace kx::newbook {

MadeDatabase::MadeDatabase(std::unique_ptr<StagedBookFile> file, std::string name, NextName nextName)
    : file_(std::move(file)), name_(std::move(name)), nextName_(std::move(nextName)) {}

MadeDatabase::MadeDatabase(database::NewServerDatabase claim, ServerLogin login)
    : claim_(std::move(claim)), name_(claim_.Name()), login_(std::move(login)) {}

MadeDatabase::~MadeDatabase() {
    try {
        Remove();
    } catch (const std::exception&) {
        // Nobody is left to tell; what stays is told by Remove where it is called.
    }
}

std::string MadeDatabase::WorkingLocation() const { return file_ ? file_->WorkingPath().string() : name_; }

std::string MadeDatabase::Where() const {
    if (file_)
        return file_->WorkingPath().string();
    return "服务器 " + login_.server + " 上的数据库 " + name_;
}

bool MadeDatabase::UnderItsName() const { return !file_ || file_->Placed(); }

void MadeDatabase::Place() {
    if (!file_) {
        // Unmarked before the list names it: a listed book must never look abandoned
        // to another run's sweep. A kill after this leaves it unlisted, not half-made.
        try {
            claim_.Keep();
        } catch (const std::exception& e) {
            throw WizardError("AddNewFile", std::string(kBookFileFailure) + "\n" + e.what());
        }
        return;
    }
    if (file_->Placed())
        return;
    try {
        while (!file_->PlaceAt(platform::ToDiskPath(name_))) {
            std::string next = nextName_ ? nextName_() : std::string();
            if (next.empty())
                throw WizardError("AddNewFile", std::string(kBookFileFailure) + "\n账簿文件名已用完。");
            name_ = std::move(next);
        }
    } catch (const platform::PlatformError& e) {
        throw WizardError("AddNewFile", std::string(kBookFileFailure) + "\n" + e.what());
    }
}

std::string MadeDatabase::Remove() {
    if (kept_ || removed_)
        return {};
    removed_ = true;
    if (file_)
        return file_->Remove();
    // Still marked: the claim drops it, and a drop that fails leaves the mark for
    // a later run's sweep.
    if (claim_.Owns())
        return claim_.Drop();
    // Unmarked by Place but never listed: nobody else knows the name, it is still
    // this creation's.
    try {
        // Dropped from the server's own database: a database cannot be dropped
        // through a connection to itself.
        ado::Connection cnn;
        database::CreateCnn(cnn, "master", login_.server, login_.user, login_.password);
        cnn.Open({}, {}, {}, -1);
        cnn.Execute("Drop Database " + database::BracketedName(name_), nullptr, -1);
        cnn.Close();
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

} // namespace kx::newbook
