#include "util/CRegistryEx.h"

#include "platform/MessageBoxDialog.h"
#include "platform/ModalRunner.h"

#include <QtGlobal>

#include <cerrno>
#include <limits>

using platform::RegistryStore;
using platform::RegType;
using platform::RegValue;

namespace registryex_detail {

constexpr qint32 kMaxStringChars = 200; // the terminating zero included
constexpr qint32 kMaxNameChars = 200;

RegistryStore& store()
{
    return RegistryStore::instance();
}

} // namespace registryex_detail

CRegistryEx::CRegistryEx(const HKEY& root) : m_hKey(root) {}

CRegistryEx::~CRegistryEx()
{
    Close();
}

bool CRegistryEx::Record(qint32 error, quint32 type, quint32 size)
{
    m_lLastError = error;
    m_dwLastType = type;
    m_dwLastSize = size;
    return error == ERROR_SUCCESS;
}

bool CRegistryEx::Open(const HKEY& root, const QString& keyPath)
{
    m_strKeyPath = keyPath;
    HKEY key;
    const qint32 rc = registryex_detail::store().openKey(root, keyPath, &key);
    if (rc == ERROR_SUCCESS)
        m_hKey = key;
    return Record(rc, REG_NONE, 0);
}

bool CRegistryEx::OpenKey(const HKEY& root, const QString& keyPath)
{
    HKEY key;
    const qint32 rc = registryex_detail::store().openKey(root, keyPath, &key);
    if (rc != ERROR_SUCCESS)
        return Record(rc, REG_NONE, 0);
    m_hKey = key;
    return true;
}

bool CRegistryEx::OpenSubKey(const QString& keyPath)
{
    HKEY key;
    const qint32 rc = registryex_detail::store().openKey(m_hKey, keyPath, &key);
    if (rc == ERROR_SUCCESS)
        m_hKey = key;
    return Record(rc, REG_NONE, 0);
}

bool CRegistryEx::Create(const HKEY& root, const QString& keyPath)
{
    HKEY key;
    const qint32 rc = registryex_detail::store().createKey(root, keyPath, &key);
    if (rc == ERROR_SUCCESS)
        m_hKey = key;
    return Record(rc, REG_NONE, 0);
}

bool CRegistryEx::Close()
{
    if (m_hKey.isNull())
        return true;
    const qint32 rc = registryex_detail::store().closeKey(m_hKey);
    m_hKey = HKEY();
    return Record(rc, REG_NONE, 0);
}

bool CRegistryEx::ReadSmallValue(const QString& name, quint32& value)
{
    RegValue read;
    const qint32 rc = registryex_detail::store().queryValue(m_hKey, name, &read);
    if (rc != ERROR_SUCCESS)
        return Record(rc, REG_NONE, 0);
    const quint32 size = read.size();
    if (size > 4)
        return Record(ERROR_MORE_DATA, quint32(read.type), size);
    const QByteArray bytes = read.bytes();
    quint32 result = 0;
    for (qsizetype i = 0; i < bytes.size() && i < 4; ++i)
        result |= quint32(quint8(bytes[i])) << (8 * i);
    value = result;
    return Record(ERROR_SUCCESS, quint32(read.type), size);
}

bool CRegistryEx::ReadDWord(const QString& name, quint32& value)
{
    return ReadSmallValue(name, value);
}

bool CRegistryEx::ReadInt(const QString& name, int& value)
{
    quint32 read = 0;
    if (!ReadSmallValue(name, read))
        return false;
    value = int(read);
    return true;
}

bool CRegistryEx::ReadString(const QString& name, QString& value)
{
    return ReadStringUpTo(name, value, quint32(registryex_detail::kMaxStringChars));
}

bool CRegistryEx::ReadLongString(const QString& name, QString& value)
{
    return ReadStringUpTo(name, value, std::numeric_limits<quint32>::max());
}

bool CRegistryEx::ReadStringUpTo(const QString& name, QString& value, quint32 maxSize)
{
    RegValue read;
    const qint32 rc = registryex_detail::store().queryValue(m_hKey, name, &read);
    if (rc != ERROR_SUCCESS)
        return Record(rc, REG_NONE, 0);
    const quint32 size = read.size();
    if (size > maxSize)
        return Record(ERROR_MORE_DATA, quint32(read.type), size);
    QString text;
    switch (read.type) {
    case RegType::String:
        text = read.text;
        break;
    case RegType::MultiString:
        text = read.texts.value(0);
        break;
    default:
        text = QString::fromLatin1(read.bytes());
        break;
    }
    const qsizetype nul = text.indexOf(QChar(0));
    value = nul < 0 ? text : text.left(nul);
    return Record(ERROR_SUCCESS, quint32(read.type), size);
}

bool CRegistryEx::ReadBinary(const QString& name, QByteArray& data)
{
    data.clear();
    RegValue read;
    const qint32 rc = registryex_detail::store().queryValue(m_hKey, name, &read);
    if (rc != ERROR_SUCCESS)
        return Record(rc, REG_BINARY, 0);
    data = read.bytes();
    return Record(ERROR_SUCCESS, REG_BINARY, read.size());
}

bool CRegistryEx::WriteDWord(const QString& name, quint32 value)
{
    return Record(SetDWordValue(name, value), REG_DWORD, 4);
}

qint32 CRegistryEx::SetDWordValue(const QString& name, quint32 value)
{
    return registryex_detail::store().setValue(m_hKey, name, RegValue::fromDWord(value));
}

bool CRegistryEx::WriteString(const QString& name, const QString& value)
{
    const RegValue v = RegValue::fromString(value);
    return Record(registryex_detail::store().setValue(m_hKey, name, v), REG_SZ, v.size());
}

bool CRegistryEx::WriteBinary(const QString& name, const QByteArray& data)
{
    return Record(registryex_detail::store().setValue(m_hKey, name, RegValue::fromBinary(data)), REG_BINARY,
                  quint32(data.size()));
}

bool CRegistryEx::DeleteValue(const QString& name)
{
    return Record(registryex_detail::store().deleteValue(m_hKey, name), REG_NONE, 0);
}

bool CRegistryEx::DeleteKey(const HKEY& parent, const QString& subKeyPath)
{
    return Record(registryex_detail::store().deleteKey(parent, subKeyPath), REG_NONE, 0);
}

bool CRegistryEx::Enumerate(const QString& keyPath, QStringList& names, bool keys)
{
    HKEY key;
    if (!Record(registryex_detail::store().openKey(m_hKey, keyPath, &key), REG_NONE, 0))
        return false;
    key.writable = false;
    QStringList found;
    const qint32 rc =
        keys ? registryex_detail::store().subKeyNames(key, &found) : registryex_detail::store().valueNames(key, &found);
    bool ok = Record(rc, REG_NONE, 0);
    if (ok) {
        names.clear();
        for (const QString& name : found) {
            // Names are read into a buffer of 200 characters.
            ok = Record(name.size() + 1 > registryex_detail::kMaxNameChars ? ERROR_MORE_DATA : ERROR_SUCCESS, REG_NONE,
                        0);
            if (!ok) {
                ShowError(m_lLastError, keys ? QStringLiteral("RegEnumKeyEx") : QStringLiteral("RegEnumValue"),
                          QStringLiteral("RegistryEx"), keys ? 1050 : 1125);
                break;
            }
            names << name;
        }
    }
    registryex_detail::store().closeKey(key);
    return ok;
}

bool CRegistryEx::EnumKeys(const QString& keyPath, QStringList& names)
{
    return Enumerate(keyPath, names, true);
}

bool CRegistryEx::EnumValues(const QString& keyPath, QStringList& names)
{
    return Enumerate(keyPath, names, false);
}

QString CRegistryEx::ErrorText(qint32 error, const QString& callName, const QString& unitName, int line)
{
    return QStringLiteral("%1 %2\n%3 %4").arg(quint32(error)).arg(callName, unitName).arg(quint32(line));
}

QString CRegistryEx::ErrorDescription(qint32 error)
{
    // The platform's own description of the nearest system error.
    int err = EIO;
    switch (error) {
    case ERROR_SUCCESS:
        err = 0;
        break;
    case ERROR_FILE_NOT_FOUND:
        err = ENOENT;
        break;
    case ERROR_ACCESS_DENIED:
        err = EACCES;
        break;
    case ERROR_INVALID_HANDLE:
        err = EBADF;
        break;
    case ERROR_MORE_DATA:
        err = EOVERFLOW;
        break;
    case ERROR_DISK_FULL:
        err = ENOSPC;
        break;
    default:
        break;
    }
    return qt_error_string(err);
}

void CRegistryEx::ShowError(qint32 error, const QString& callName, const QString& unitName, int line)
{
    const QString text = ErrorText(error, callName, unitName, line);
    platform::MessageBoxDialog box(nullptr, ErrorDescription(error), text,
                                   platform::MessageBoxDialog::Icon::Information);
    box.addButton(platform::IDOK, QStringLiteral("OK"));
    platform::runModal(box, platform::kMessageBoxDialogId, text);
}
