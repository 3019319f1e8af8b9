#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>

class QSettings;

namespace kx::platform {

/// The host's store of persisted control properties: named values that are either
/// 32-bit integers or strings. Reading an absent key gives the default.
class PropertyStore {
public:
    virtual ~PropertyStore() = default;
    virtual std::int32_t ReadInt(const std::string& key, std::int32_t defaultValue) const = 0;
    virtual std::string ReadString(const std::string& key, const std::string& defaultValue) const = 0;
    virtual void WriteInt(const std::string& key, std::int32_t value) = 0;
    virtual void WriteString(const std::string& key, const std::string& value) = 0;
    virtual bool Contains(const std::string& key) const = 0;
};

/// Keeps the properties in memory; for tests and for hosts that persist nothing.
class MemoryPropertyStore final : public PropertyStore {
public:
    std::int32_t ReadInt(const std::string& key, std::int32_t defaultValue) const override;
    std::string ReadString(const std::string& key, const std::string& defaultValue) const override;
    void WriteInt(const std::string& key, std::int32_t value) override;
    void WriteString(const std::string& key, const std::string& value) override;
    bool Contains(const std::string& key) const override;

private:
    std::map<std::string, std::variant<std::int32_t, std::string>> values_;
};

/// Persists the properties with QSettings, in one group of an INI file or of the
/// user's default settings.
class QSettingsPropertyStore final : public PropertyStore {
public:
    /// The user's settings of organisation "kx", application "kxLedgerWiz".
    explicit QSettingsPropertyStore(const std::string& group = "CreatLedgerWiz");
    /// An INI file of its own.
    QSettingsPropertyStore(const std::string& iniFile, const std::string& group);
    ~QSettingsPropertyStore() override;

    std::int32_t ReadInt(const std::string& key, std::int32_t defaultValue) const override;
    std::string ReadString(const std::string& key, const std::string& defaultValue) const override;
    void WriteInt(const std::string& key, std::int32_t value) override;
    void WriteString(const std::string& key, const std::string& value) override;
    bool Contains(const std::string& key) const override;
    /// Writes pending changes to the disk.
    void Sync();

private:
    std::unique_ptr<QSettings> settings_;
    std::string group_;
};

} // namespace kx::platform
