#include "newbook/TemplateFolder.h"

#include <algorithm>
#include <system_error>

namespace kx::newbook {

std::vector<QString> ArchiveFileNames(const std::filesystem::path& folder, const QString& extension) {
    std::vector<QString> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const QString name = QString::fromStdString(it->path().filename().string());
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot >= 0 && name.mid(dot + 1).compare(extension, Qt::CaseInsensitive) == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

} // namespace kx::newbook
