#include "PropertyStore.h"

#include <QSettings>
#include <QString>

namespace kx::platform {

std::int32_t MemoryPropertyStore::ReadInt(const std::string& key, std::int32_t defaultValue) const {
    const auto it = values_.find(key);
    if (it == values_.end())
        return defaultValue;
    if (const auto* v = std::get_if<std::int32_t>(&it->second))
        return *v;
    try {
        return static_cast<std::int32_t>(std::stol(std::get<std::string>(it->second)));
    } catch (const std::exception&) {
        return defaultValue;
    }
}

std::string MemoryPropertyStore::ReadString(const std::string& key, const std::string& defaultValue) const {
    const auto it = values_.find(key);
    if (it == values_.end())
        return defaultValue;
    if (const auto* v = std::get_if<std::string>(&it->second))
        return *v;
    return std::to_string(std::get<std::int32_t>(it->second));
}

void MemoryPropertyStore::WriteInt(const std::string& key, std::int32_t value) { values_[key] = value; }

void MemoryPropertyStore::WriteString(const std::string& key, const std::string& value) {
    values_[key] = value;
}

bool MemoryPropertyStore::Contains(const std::string& key) const { return values_.contains(key); }

QSettingsPropertyStore::QSettingsPropertyStore(const std::string& group)
    : settings_(std::make_unique<QSettings>(QStringLiteral("kx"), QStringLiteral("kxLedgerWiz"))),
      group_(group) {}

QSettingsPropertyStore::QSettingsPropertyStore(const std::string& iniFile, const std::string& group)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(iniFile), QSettings::IniFormat)),
      group_(group) {}

QSettingsPropertyStore::~QSettingsPropertyStore() = default;

namespace {
QString KeyIn(const std::string& group, const std::string& key) {
    return QString::fromStdString(group.empty() ? key : group + "/" + key);
}
} // namespace

std::int32_t QSettingsPropertyStore::ReadInt(const std::string& key, std::int32_t defaultValue) const {
    bool ok = false;
    const std::int64_t v = settings_->value(KeyIn(group_, key), defaultValue).toLongLong(&ok);
    // Colours such as 0x80000012 are stored as their signed 32-bit value.
    return ok ? static_cast<std::int32_t>(static_cast<std::uint32_t>(v)) : defaultValue;
}

std::string QSettingsPropertyStore::ReadString(const std::string& key, const std::string& defaultValue) const {
    return settings_->value(KeyIn(group_, key), QString::fromStdString(defaultValue)).toString().toStdString();
}

void QSettingsPropertyStore::WriteInt(const std::string& key, std::int32_t value) {
    settings_->setValue(KeyIn(group_, key), value);
}

void QSettingsPropertyStore::WriteString(const std::string& key, const std::string& value) {
    settings_->setValue(KeyIn(group_, key), QString::fromStdString(value));
}

bool QSettingsPropertyStore::Contains(const std::string& key) const {
    return settings_->contains(KeyIn(group_, key));
}

void QSettingsPropertyStore::Sync() { settings_->sync(); }

} // namespace kx::platform
