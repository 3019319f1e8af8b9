#include "e2e/AppFolder.h"

#include "SampleBookCopy.h"
#include "platform/AnsiTextFile.h"

#include <QCryptographicHash>
#include <QFile>

namespace kx::e2e {

AppFolder::AppFolder() {
    std::filesystem::create_directories(Data());
    std::filesystem::copy_file(test::SampleBookCopy::Master(), SampleBook());
}

void AppFolder::WriteList(const std::vector<std::string>& lines) const {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "\r") + lines[i];
    platform::WriteAnsiTextFile(ListFile(), text + "\r\n");
}

std::string AppFolder::ListText() const {
    return platform::ReadAnsiTextFile(ListFile());
}

std::string WithLineAppended(const std::string& before, const std::string& line) {
    const std::string end = "\r\n";
    const bool ended = before.size() >= end.size() && before.compare(before.size() - end.size(), end.size(), end) == 0;
    return (ended ? before.substr(0, before.size() - end.size()) : before) + "\r" + line + end;
}

std::string FileDigest(const std::filesystem::path& file) {
    QFile input(QString::fromStdString(file.string()));
    if (!input.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&input))
        return {};
    return hash.result().toHex().toStdString();
}

} // namespace kx::e2e
