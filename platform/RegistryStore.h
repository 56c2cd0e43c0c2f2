#pragma once

#include "platform/FileFault.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

// The program's settings store: two hives (current user, machine) of keys
// separated by "\", each key holding subkeys and typed values. Key and value
// names compare without regard to case and keep the case they were made with.
// Each hive is one JSON file under the user's config folder, readable by its
// owner only and written atomically.
namespace platform {

enum class Hive { CurrentUser = 0, LocalMachine = 1 };

enum class RegType : quint32 { None = 0, String = 1, Binary = 3, DWord = 4, MultiString = 7 };

// Results, in the numbers the program tests.
namespace RegError {
constexpr qint32 Success = 0;
constexpr qint32 FileNotFound = 2;
constexpr qint32 AccessDenied = 5;
constexpr qint32 WriteFault = 29;
constexpr qint32 InvalidParameter = 87;
constexpr qint32 DiskFull = 112;
constexpr qint32 MoreData = 234;
} // namespace RegError

struct RegValue
{
    RegType type = RegType::None;
    quint32 dword = 0;
    QString text;      // String
    QStringList texts; // MultiString
    QByteArray binary; // Binary

    static RegValue fromDWord(quint32 v);
    static RegValue fromString(const QString& s);
    static RegValue fromBinary(const QByteArray& b);
    static RegValue fromMultiString(const QStringList& l);

    // The size the platform reports: 4 for a DWORD, characters plus one for a
    // string, the length of binary data, each string plus one and one more for
    // a multi-string.
    quint32 size() const;
    // The data as bytes of that size: a DWORD little-endian, strings one byte
    // per character (Latin-1) each with its terminating zero.
    QByteArray bytes() const;
    bool operator==(const RegValue&) const = default;
};

// A handle on a key: its hive and path, and whether it was opened for writing.
// A default-constructed handle is the null handle.
struct RegKey
{
    Hive hive = Hive::CurrentUser;
    QString path; // below the hive, "\"-separated; empty for the hive itself
    bool writable = false;
    bool valid = false;

    // The hive's root: writable for the current user, read-only for the machine.
    static RegKey root(Hive hive);
    bool isNull() const { return !valid; }
    bool isRoot() const { return valid && path.isEmpty(); }
    bool operator==(const RegKey&) const = default;
};

class RegistryStore
{
public:
    // `folder` holds the hive files; `defaultsFolder` their shipped defaults
    // (the same file names). A missing user hive starts from its defaults; the
    // machine hive takes every default key and value it lacks at each start.
    RegistryStore(const QString& folder, const QString& defaultsFolder);
    ~RegistryStore(); // saves hives changed since their last save
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The program's store: the user's config folder, defaults from the shipped tree.
    static RegistryStore& instance();
    static QString defaultFolder();
    static QString fileNameOf(Hive hive);

    // A writable root of a hive, for installing defaults and for tests. The
    // program opens the machine hive read-only through RegKey::root().
    static RegKey setupRoot(Hive hive);

    // Keys. Opening below a read-only handle gives a read-only handle.
    qint32 openKey(const RegKey& parent, const QString& subPath, RegKey* out) const;
    qint32 createKey(const RegKey& parent, const QString& subPath, RegKey* out);
    // Deletes a key and its values; a key with subkeys is refused (AccessDenied).
    qint32 deleteKey(const RegKey& parent, const QString& subPath);
    // Saves the key's hive when it changed: DiskFull, AccessDenied or
    // WriteFault when the file could not be written (the last good file
    // stays, and the hive is saved again at the next close).
    qint32 closeKey(const RegKey& key);
    bool keyExists(const RegKey& key) const;

    // Values.
    qint32 queryValue(const RegKey& key, const QString& name, RegValue* out) const;
    qint32 setValue(const RegKey& key, const QString& name, const RegValue& value);
    qint32 deleteValue(const RegKey& key, const QString& name);
    // Subkey names in case-blind alphabetical order; value names in the order made.
    qint32 subKeyNames(const RegKey& key, QStringList* out) const;
    qint32 valueNames(const RegKey& key, QStringList* out) const;

    // Writes a changed hive; true when it is saved (or had nothing to save).
    bool save(Hive hive);
    QString filePath(Hive hive) const;
    // Hive files that could not be read at start: the hive started from its
    // defaults and the unreadable file was kept beside it as "<name>.corrupt"
    // (or "<name> (2).corrupt", ... beside older ones).
    QStringList loadProblems() const;

    struct Node;

private:
    struct HiveData
    {
        std::unique_ptr<Node> root;
        bool dirty = false;
    };
    void load(Hive hive);
    Node* find(const RegKey& key) const;
    FileFault saveLocked(Hive hive);

    QString m_folder;
    QString m_defaultsFolder;
    std::array<HiveData, 2> m_hives;
    QStringList m_loadProblems;
    mutable QMutex m_mutex;
};

} // namespace platform
