#include "platform/RegistryStore.h"

#include "platform/DataRoot.h"
#include "platform/FileOps.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QtDebug>

#include <algorithm>
#include <vector>

namespace platform {

struct RegistryStore::Node
{
    QString name;
    std::vector<std::unique_ptr<Node>> children;
    std::vector<std::pair<QString, RegValue>> values;

    Node* child(const QString& childName) const
    {
        const QString folded = childName.toCaseFolded();
        for (const auto& c : children) {
            if (c->name.toCaseFolded() == folded)
                return c.get();
        }
        return nullptr;
    }
    auto valueIt(const QString& valueName)
    {
        const QString folded = valueName.toCaseFolded();
        return std::find_if(values.begin(), values.end(),
                            [&](const auto& v) { return v.first.toCaseFolded() == folded; });
    }
};

namespace registry_detail {

using Node = RegistryStore::Node;

constexpr qint32 kInvalidHandle = 6;

QStringList splitKeyPath(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString joinKeyPath(const QString& parent, const QString& child)
{
    return parent.isEmpty() ? child : parent + QLatin1Char('\\') + child;
}

const char* typeName(RegType type)
{
    switch (type) {
    case RegType::DWord:
        return "dword";
    case RegType::String:
        return "string";
    case RegType::Binary:
        return "binary";
    case RegType::MultiString:
        return "multi-string";
    case RegType::None:
        break;
    }
    return "none";
}

QJsonObject nodeToJson(const Node& node)
{
    QJsonObject object;
    object.insert(QStringLiteral("name"), node.name);
    QJsonArray values;
    for (const auto& [name, value] : node.values) {
        QJsonObject v;
        v.insert(QStringLiteral("name"), name);
        v.insert(QStringLiteral("type"), QLatin1String(typeName(value.type)));
        switch (value.type) {
        case RegType::DWord:
            v.insert(QStringLiteral("data"), qint64(value.dword));
            break;
        case RegType::String:
            v.insert(QStringLiteral("data"), value.text);
            break;
        case RegType::Binary:
            v.insert(QStringLiteral("data"), QString::fromLatin1(value.binary.toBase64()));
            break;
        case RegType::MultiString:
            v.insert(QStringLiteral("data"), QJsonArray::fromStringList(value.texts));
            break;
        case RegType::None:
            break;
        }
        values.append(v);
    }
    object.insert(QStringLiteral("values"), values);
    QJsonArray keys;
    for (const auto& child : node.children)
        keys.append(nodeToJson(*child));
    object.insert(QStringLiteral("keys"), keys);
    return object;
}

bool valueFromJson(const QJsonObject& v, RegValue* out)
{
    const QString type = v.value(QStringLiteral("type")).toString();
    const QJsonValue data = v.value(QStringLiteral("data"));
    if (type == QLatin1String("dword")) {
        const double d = data.toDouble(-1);
        if (!data.isDouble() || d < 0 || d > 4294967295.0)
            return false;
        *out = RegValue::fromDWord(quint32(d));
    } else if (type == QLatin1String("string")) {
        if (!data.isString())
            return false;
        *out = RegValue::fromString(data.toString());
    } else if (type == QLatin1String("binary")) {
        if (!data.isString())
            return false;
        *out = RegValue::fromBinary(QByteArray::fromBase64(data.toString().toLatin1()));
    } else if (type == QLatin1String("multi-string")) {
        if (!data.isArray())
            return false;
        QStringList list;
        for (const QJsonValue& s : data.toArray())
            list << s.toString();
        *out = RegValue::fromMultiString(list);
    } else {
        return false;
    }
    return true;
}

// Reads a node; entries that make no sense are skipped, duplicates keep the first.
std::unique_ptr<Node> nodeFromJson(const QJsonObject& object)
{
    auto node = std::make_unique<Node>();
    node->name = object.value(QStringLiteral("name")).toString();
    for (const QJsonValue& entry : object.value(QStringLiteral("values")).toArray()) {
        const QJsonObject v = entry.toObject();
        RegValue value;
        const QString name = v.value(QStringLiteral("name")).toString();
        if (!valueFromJson(v, &value) || node->valueIt(name) != node->values.end())
            continue;
        node->values.emplace_back(name, value);
    }
    for (const QJsonValue& entry : object.value(QStringLiteral("keys")).toArray()) {
        auto child = nodeFromJson(entry.toObject());
        if (child->name.isEmpty() || child->name.contains(QLatin1Char('\\')) || node->child(child->name))
            continue;
        node->children.push_back(std::move(child));
    }
    return node;
}

enum class ReadResult { Missing, Corrupt, Read };

ReadResult readHiveFile(const QString& path, std::unique_ptr<Node>* out)
{
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Corrupt;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return ReadResult::Corrupt;
    const QJsonValue root = doc.object().value(QStringLiteral("root"));
    if (!root.isObject())
        return ReadResult::Corrupt;
    *out = nodeFromJson(root.toObject());
    (*out)->name.clear();
    return ReadResult::Read;
}

// Adds to `target` every key and value of `defaults` it lacks. True when it changed.
bool mergeMissing(Node& target, const Node& defaults)
{
    bool changed = false;
    for (const auto& [name, value] : defaults.values) {
        if (target.valueIt(name) == target.values.end()) {
            target.values.emplace_back(name, value);
            changed = true;
        }
    }
    for (const auto& child : defaults.children) {
        Node* existing = target.child(child->name);
        if (!existing) {
            auto made = std::make_unique<Node>();
            made->name = child->name;
            existing = made.get();
            target.children.push_back(std::move(made));
            changed = true;
        }
        changed = mergeMissing(*existing, *child) || changed;
    }
    return changed;
}

} // namespace registry_detail

// --- RegValue ---------------------------------------------------------------

RegValue RegValue::fromDWord(quint32 v)
{
    RegValue r;
    r.type = RegType::DWord;
    r.dword = v;
    return r;
}

RegValue RegValue::fromString(const QString& s)
{
    RegValue r;
    r.type = RegType::String;
    r.text = s;
    return r;
}

RegValue RegValue::fromBinary(const QByteArray& b)
{
    RegValue r;
    r.type = RegType::Binary;
    r.binary = b;
    return r;
}

RegValue RegValue::fromMultiString(const QStringList& l)
{
    RegValue r;
    r.type = RegType::MultiString;
    r.texts = l;
    return r;
}

quint32 RegValue::size() const
{
    switch (type) {
    case RegType::DWord:
        return 4;
    case RegType::String:
        return quint32(text.size() + 1);
    case RegType::Binary:
        return quint32(binary.size());
    case RegType::MultiString: {
        quint32 n = 1;
        for (const QString& s : texts)
            n += quint32(s.size() + 1);
        return n;
    }
    case RegType::None:
        break;
    }
    return 0;
}

QByteArray RegValue::bytes() const
{
    switch (type) {
    case RegType::DWord: {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char((dword >> (8 * i)) & 0xFF);
        return b;
    }
    case RegType::String:
        return text.toLatin1() + '\0';
    case RegType::Binary:
        return binary;
    case RegType::MultiString: {
        QByteArray b;
        for (const QString& s : texts)
            b += s.toLatin1() + '\0';
        return b + '\0';
    }
    case RegType::None:
        break;
    }
    return {};
}

RegKey RegKey::root(Hive hive)
{
    RegKey key;
    key.hive = hive;
    key.writable = hive == Hive::CurrentUser;
    key.valid = true;
    return key;
}

// --- RegistryStore ----------------------------------------------------------

RegistryStore::RegistryStore(const QString& folder, const QString& defaultsFolder)
    : m_folder(folder), m_defaultsFolder(defaultsFolder)
{
    load(Hive::CurrentUser);
    load(Hive::LocalMachine);
}

RegistryStore::~RegistryStore()
{
    QMutexLocker lock(&m_mutex);
    saveLocked(Hive::CurrentUser);
    saveLocked(Hive::LocalMachine);
}

RegistryStore& RegistryStore::instance()
{
    static RegistryStore store(defaultFolder(), shareDir() + QLatin1String("/Registry"));
    return store;
}

QString RegistryStore::defaultFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QLatin1String("/.config");
    return base + QLatin1String("/Vornasoft/Vorna-Paginor 2002(TEV)");
}

QString RegistryStore::fileNameOf(Hive hive)
{
    return hive == Hive::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER.json")
                                     : QStringLiteral("HKEY_LOCAL_MACHINE.json");
}

RegKey RegistryStore::setupRoot(Hive hive)
{
    RegKey key = RegKey::root(hive);
    key.writable = true;
    return key;
}

QString RegistryStore::filePath(Hive hive) const
{
    return m_folder + QLatin1Char('/') + fileNameOf(hive);
}

QStringList RegistryStore::loadProblems() const
{
    QMutexLocker lock(&m_mutex);
    return m_loadProblems;
}

void RegistryStore::load(Hive hive)
{
    using namespace registry_detail;
    HiveData& data = m_hives[size_t(hive)];
    std::unique_ptr<Node> defaults;
    const QString defaultsPath = m_defaultsFolder + QLatin1Char('/') + fileNameOf(hive);
    if (readHiveFile(defaultsPath, &defaults) == ReadResult::Corrupt)
        qWarning("The settings defaults %s cannot be read", qUtf8Printable(defaultsPath));

    const QString path = filePath(hive);
    switch (readHiveFile(path, &data.root)) {
    case ReadResult::Read:
        if (hive == Hive::LocalMachine && defaults)
            data.dirty = mergeMissing(*data.root, *defaults);
        return;
    case ReadResult::Corrupt: {
        // Keep the unreadable file for the user, beside any kept before (an
        // older one may hold settings worth recovering); start from the defaults.
        const QString aside = freePathLike(path + QLatin1String(".corrupt"));
        QFile::rename(path, aside);
        m_loadProblems << path;
        qWarning("The settings file %s cannot be read; it was kept as %s and the defaults are used",
                 qUtf8Printable(path), qUtf8Printable(aside));
        break;
    }
    case ReadResult::Missing:
        break;
    }
    data.root = defaults ? std::move(defaults) : std::make_unique<Node>();
    data.dirty = true;
}

RegistryStore::Node* RegistryStore::find(const RegKey& key) const
{
    if (!key.valid)
        return nullptr;
    Node* node = m_hives[size_t(key.hive)].root.get();
    for (const QString& part : registry_detail::splitKeyPath(key.path)) {
        node = node->child(part);
        if (!node)
            return nullptr;
    }
    return node;
}

qint32 RegistryStore::openKey(const RegKey& parent, const QString& subPath, RegKey* out) const
{
    QMutexLocker lock(&m_mutex);
    if (!parent.valid)
        return registry_detail::kInvalidHandle;
    Node* node = find(parent);
    if (!node)
        return RegError::FileNotFound;
    QString path = parent.path;
    for (const QString& part : registry_detail::splitKeyPath(subPath)) {
        node = node->child(part);
        if (!node)
            return RegError::FileNotFound;
        path = registry_detail::joinKeyPath(path, node->name);
    }
    if (out) {
        *out = parent;
        out->path = path;
    }
    return RegError::Success;
}

qint32 RegistryStore::createKey(const RegKey& parent, const QString& subPath, RegKey* out)
{
    QMutexLocker lock(&m_mutex);
    if (!parent.valid)
        return registry_detail::kInvalidHandle;
    if (!parent.writable)
        return RegError::AccessDenied;
    Node* node = find(parent);
    if (!node)
        return RegError::FileNotFound;
    QString path = parent.path;
    for (const QString& part : registry_detail::splitKeyPath(subPath)) {
        Node* next = node->child(part);
        if (!next) {
            auto made = std::make_unique<Node>();
            made->name = part;
            next = made.get();
            node->children.push_back(std::move(made));
            m_hives[size_t(parent.hive)].dirty = true;
        }
        node = next;
        path = registry_detail::joinKeyPath(path, node->name);
    }
    if (out) {
        *out = parent;
        out->path = path;
    }
    return RegError::Success;
}

qint32 RegistryStore::deleteKey(const RegKey& parent, const QString& subPath)
{
    QMutexLocker lock(&m_mutex);
    if (!parent.valid)
        return registry_detail::kInvalidHandle;
    const QStringList parts = registry_detail::splitKeyPath(subPath);
    if (parts.isEmpty())
        return RegError::InvalidParameter;
    if (!parent.writable)
        return RegError::AccessDenied;
    Node* owner = find(parent);
    for (qsizetype i = 0; owner && i + 1 < parts.size(); ++i)
        owner = owner->child(parts[i]);
    Node* victim = owner ? owner->child(parts.last()) : nullptr;
    if (!victim)
        return RegError::FileNotFound;
    if (!victim->children.empty())
        return RegError::AccessDenied;
    auto& siblings = owner->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(), [&](const auto& c) { return c.get() == victim; }));
    m_hives[size_t(parent.hive)].dirty = true;
    return RegError::Success;
}

qint32 RegistryStore::closeKey(const RegKey& key)
{
    QMutexLocker lock(&m_mutex);
    if (!key.valid)
        return registry_detail::kInvalidHandle;
    switch (saveLocked(key.hive)) {
    case FileFault::None:
        return RegError::Success;
    case FileFault::NoSpace:
        return RegError::DiskFull;
    case FileFault::NoPermission:
    case FileFault::ReadOnlyFileSystem:
        return RegError::AccessDenied;
    default:
        return RegError::WriteFault;
    }
}

bool RegistryStore::keyExists(const RegKey& key) const
{
    QMutexLocker lock(&m_mutex);
    return find(key) != nullptr;
}

qint32 RegistryStore::queryValue(const RegKey& key, const QString& name, RegValue* out) const
{
    QMutexLocker lock(&m_mutex);
    if (!key.valid)
        return registry_detail::kInvalidHandle;
    Node* node = find(key);
    if (!node)
        return RegError::FileNotFound;
    const auto it = node->valueIt(name);
    if (it == node->values.end())
        return RegError::FileNotFound;
    if (out)
        *out = it->second;
    return RegError::Success;
}

qint32 RegistryStore::setValue(const RegKey& key, const QString& name, const RegValue& value)
{
    QMutexLocker lock(&m_mutex);
    if (!key.valid)
        return registry_detail::kInvalidHandle;
    if (!key.writable)
        return RegError::AccessDenied;
    if (value.type == RegType::None)
        return RegError::InvalidParameter;
    Node* node = find(key);
    if (!node)
        return RegError::FileNotFound;
    const auto it = node->valueIt(name);
    if (it == node->values.end())
        node->values.emplace_back(name, value);
    else if (it->second == value)
        return RegError::Success;
    else
        it->second = value;
    m_hives[size_t(key.hive)].dirty = true;
    return RegError::Success;
}

qint32 RegistryStore::deleteValue(const RegKey& key, const QString& name)
{
    QMutexLocker lock(&m_mutex);
    if (!key.valid)
        return registry_detail::kInvalidHandle;
    if (!key.writable)
        return RegError::AccessDenied;
    Node* node = find(key);
    if (!node)
        return RegError::FileNotFound;
    const auto it = node->valueIt(name);
    if (it == node->values.end())
        return RegError::FileNotFound;
    node->values.erase(it);
    m_hives[size_t(key.hive)].dirty = true;
    return RegError::Success;
}

qint32 RegistryStore::subKeyNames(const RegKey& key, QStringList* out) const
{
    QMutexLocker lock(&m_mutex);
    if (!key.valid)
        return registry_detail::kInvalidHandle;
    Node* node = find(key);
    if (!node)
        return RegError::FileNotFound;
    QStringList names;
    for (const auto& child : node->children)
        names << child->name;
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    if (out)
        *out = names;
    return RegError::Success;
}

qint32 RegistryStore::valueNames(const RegKey& key, QStringList* out) const
{
    QMutexLocker lock(&m_mutex);
    if (!key.valid)
        return registry_detail::kInvalidHandle;
    Node* node = find(key);
    if (!node)
        return RegError::FileNotFound;
    QStringList names;
    for (const auto& value : node->values)
        names << value.first;
    if (out)
        *out = names;
    return RegError::Success;
}

bool RegistryStore::save(Hive hive)
{
    QMutexLocker lock(&m_mutex);
    return saveLocked(hive) == FileFault::None;
}

FileFault RegistryStore::saveLocked(Hive hive)
{
    HiveData& data = m_hives[size_t(hive)];
    if (!data.dirty)
        return FileFault::None;
    if (!QDir().mkpath(m_folder)) {
        qWarning("Cannot make the settings folder %s", qUtf8Printable(m_folder));
        return FileFault::FolderGone;
    }
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QJsonObject document;
    document.insert(QStringLiteral("format"), 1);
    document.insert(QStringLiteral("root"), registry_detail::nodeToJson(*data.root));

    const QString path = filePath(hive);
    // Readable by its owner only, whatever the umask or an older file's mode.
    const FileFault fault = writeFileWhole(path, QJsonDocument(document).toJson(QJsonDocument::Indented),
                                           SafeFile::Mode::Replace, QFile::ReadOwner | QFile::WriteOwner);
    if (fault != FileFault::None) {
        qWarning("Cannot write the settings file %s", qUtf8Printable(path));
        return fault;
    }
    data.dirty = false;
    return FileFault::None;
}

} // namespace platform
