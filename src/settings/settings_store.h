// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zantor {

// The per-user hierarchical settings store: keys addressed by absolute paths such as
// "\Software\Morvale\Zantor" (taken from the user's root, "\" between key names), each
// key holding named boolean and string values. Value names are matched without regard
// to letter case. The store has at most one current key; value operations work on it.
//
// The operation names follow the platform store they stand for, so that a backend for
// it maps one to one.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    /// Makes the key current, first releasing any current key. With `canCreate` a missing
    /// key is created together with its missing parents. Returns false when the key could
    /// not be opened (or created); the previous current key, or none, then stays current.
    virtual bool OpenKey(std::string_view path, bool canCreate) = 0;

    /// Releases the current key; harmless when none is current.
    virtual void CloseKey() = 0;

    /// True when the current key holds a value of that name, of any type; false when no
    /// key is current.
    virtual bool ValueExists(std::string_view name) = 0;

    /// The boolean value of that name. Throws Error "Invalid data type for '%s'" for a
    /// value of another type, "Failed to get data for '%s'" when there is no such value,
    /// no current key, or stored data longer than a boolean's four bytes.
    virtual bool ReadBool(std::string_view name) = 0;

    /// The string value of that name, up to its first zero character. Throws Error
    /// "Invalid data type for '%s'" for a value of another type, "Failed to get data for
    /// '%s'" when there is no such value or no current key.
    virtual std::string ReadString(std::string_view name) = 0;

    /// Stores a boolean, replacing any value of that name whatever its letter case or
    /// type. Throws Error "Failed to set data for '%s'" when the store refuses.
    virtual void WriteBool(std::string_view name, bool value) = 0;

    /// Stores a string, cut at its first zero character, replacing any value of that
    /// name whatever its letter case or type. Throws Error "Failed to set data for '%s'"
    /// when the store refuses.
    virtual void WriteString(std::string_view name, std::string_view value) = 0;

    /// True when the key can be opened for reading. Leaves the current key unchanged.
    virtual bool KeyExists(std::string_view path) = 0;

    /// Deletes the key with all its values and subkeys, deepest first. Returns false when
    /// the key does not exist or could not be deleted. Leaves the current key unchanged.
    virtual bool DeleteKey(std::string_view path) = 0;

    /// True when the current key has at least one subkey; false when no key is current.
    virtual bool HasSubKeys() = 0;

    /// Where the store keeps its keys, for people: a folder or a registry root.
    virtual std::string describeRoot() const { return {}; }

    /// Where the current key keeps its values, for people; empty when no key is current.
    virtual std::string describeCurrentKey() const { return {}; }
};

/// The editor's store on this system: the registry on Windows, else the file store in
/// the user's config folder. Throws Error when the store cannot be found.
std::unique_ptr<SettingsStore> openUserSettingsStore();

/// "Invalid data type for '%s'" with the value's name.
std::string invalidDataTypeMessage(std::string_view name);

/// "Failed to get data for '%s'" with the value's name.
std::string failedToGetDataMessage(std::string_view name);

/// "Failed to set data for '%s'" with the value's name.
std::string failedToSetDataMessage(std::string_view name);

} // namespace zantor
