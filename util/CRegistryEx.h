#pragma once

#include "platform/RegistryStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Registry key handles: a hive's root or an opened key of the settings store.
using HKEY = platform::RegKey;
inline const HKEY HKEY_CURRENT_USER = platform::RegKey::root(platform::Hive::CurrentUser);
inline const HKEY HKEY_LOCAL_MACHINE = platform::RegKey::root(platform::Hive::LocalMachine);

// Result codes the callers test.
inline constexpr qint32 ERROR_SUCCESS = 0;
inline constexpr qint32 ERROR_FILE_NOT_FOUND = 2;
inline constexpr qint32 ERROR_ACCESS_DENIED = 5;
inline constexpr qint32 ERROR_INVALID_HANDLE = 6;
inline constexpr qint32 ERROR_WRITE_FAULT = 29;
inline constexpr qint32 ERROR_DISK_FULL = 112;
inline constexpr qint32 ERROR_MORE_DATA = 234;

// Value types as recorded.
inline constexpr quint32 REG_NONE = 0;
inline constexpr quint32 REG_SZ = 1;
inline constexpr quint32 REG_BINARY = 3;
inline constexpr quint32 REG_DWORD = 4;

// One key of the settings store at a time: construct on a root, open or
// create a key path, read or write named values, close (the destructor
// closes). Each recording operation keeps the result code, the value type and
// the size of its call. Keys of the machine hive are read-only.
class CRegistryEx
{
public:
    explicit CRegistryEx(const HKEY& root);
    virtual ~CRegistryEx();
    CRegistryEx(const CRegistryEx&) = delete;
    CRegistryEx& operator=(const CRegistryEx&) = delete;

    bool Open(const HKEY& root, const QString& keyPath);
    bool OpenKey(const HKEY& root, const QString& keyPath);
    bool OpenSubKey(const QString& keyPath);
    bool Create(const HKEY& root, const QString& keyPath);
    // Saves what changed: false, with the result recorded, when the settings
    // file could not be written.
    bool Close();

    bool ReadDWord(const QString& name, quint32& value);
    bool ReadInt(const QString& name, int& value);
    // At most 200 characters, the terminating zero included.
    bool ReadString(const QString& name, QString& value);
    // The same, whatever the length (address histories keep long addresses whole).
    bool ReadLongString(const QString& name, QString& value);
    // Empties `data` first; on success it holds the value's bytes.
    bool ReadBinary(const QString& name, QByteArray& data);

    bool WriteDWord(const QString& name, quint32 value);
    qint32 SetDWordValue(const QString& name, quint32 value);
    bool WriteString(const QString& name, const QString& value);
    bool WriteBinary(const QString& name, const QByteArray& data);
    bool DeleteValue(const QString& name);

    // Deletes a key and its values below `parent` (a root or an opened key);
    // the key path may have several components. A key with subkeys is refused.
    bool DeleteKey(const HKEY& parent, const QString& subKeyPath);

    // Names of the subkeys or values of a key path below the held key.
    bool EnumKeys(const QString& keyPath, QStringList& names);
    bool EnumValues(const QString& keyPath, QStringList& names);

    // Tells the user about a failed registry call.
    static void ShowError(qint32 error, const QString& callName, const QString& unitName, int line);
    // The text and caption ShowError shows.
    static QString ErrorText(qint32 error, const QString& callName, const QString& unitName, int line);
    static QString ErrorDescription(qint32 error);

    qint32 GetLastError() const { return m_lLastError; }
    quint32 GetLastType() const { return m_dwLastType; }
    quint32 GetLastSize() const { return m_dwLastSize; }
    const HKEY& GetKey() const { return m_hKey; }
    const QString& GetKeyPath() const { return m_strKeyPath; }

protected:
    bool Record(qint32 error, quint32 type, quint32 size);
    bool ReadSmallValue(const QString& name, quint32& value);
    bool ReadStringUpTo(const QString& name, QString& value, quint32 maxSize);
    bool Enumerate(const QString& keyPath, QStringList& names, bool keys);

    qint32 m_lLastError = ERROR_SUCCESS;
    quint32 m_dwLastType = REG_NONE;
    quint32 m_dwLastSize = 0;
    HKEY m_hKey;
    QString m_strKeyPath;
};
