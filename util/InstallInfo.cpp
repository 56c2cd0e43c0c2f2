#include "util/InstallInfo.h"

#include "platform/DataRoot.h"
#include "util/CRegistryEx.h"

#include <initializer_list>
#include <utility>

namespace installinfo_detail {

const QString kProductKey = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)");

bool readMachineValues(const QString& keyPath, std::initializer_list<std::pair<const char*, QString*>> values)
{
    {
        CRegistryEx probe(HKEY_LOCAL_MACHINE);
        if (!probe.OpenSubKey(keyPath))
            return false;
    }
    CRegistryEx reg(HKEY_LOCAL_MACHINE);
    if (!reg.Open(HKEY_LOCAL_MACHINE, keyPath))
        return false;
    for (const auto& [name, out] : values)
        reg.ReadString(QString::fromLatin1(name), *out);
    reg.Close();
    return true;
}

} // namespace installinfo_detail

bool ReadSupportInformation(QString& url1, QString& url2, QString& telephone, QString& mail1, QString& mail2)
{
    return installinfo_detail::readMachineValues(
        installinfo_detail::kProductKey + QStringLiteral("\\Support Information"), {{"Vornasoft URL", &url1},
                                                                                    {"Vornasoft URL2", &url2},
                                                                                    {"Telephone", &telephone},
                                                                                    {"E-Mail1", &mail1},
                                                                                    {"E-Mail2", &mail2}});
}

bool ReadVersionInformation(QString& info, QString& language, QString& name, QString& type, QString& version,
                            QString& servicePackInfo)
{
    return installinfo_detail::readMachineValues(installinfo_detail::kProductKey + QStringLiteral("\\VersionInfo"),
                                                 {{"INFO", &info},
                                                  {"LANGUAGE", &language},
                                                  {"NAME", &name},
                                                  {"TYPE", &type},
                                                  {"VERSION", &version},
                                                  {"SPINFO", &servicePackInfo}});
}

void InitInstallFolder()
{
    platform::initDataRoot();
    // What an installer would record: where the program's files are.
    platform::RegistryStore& store = platform::RegistryStore::instance();
    platform::RegKey key;
    if (store.createKey(platform::RegistryStore::setupRoot(platform::Hive::LocalMachine),
                        installinfo_detail::kProductKey, &key) == 0) {
        store.setValue(key, QStringLiteral("TargetDir"), platform::RegValue::fromString(platform::installPath()));
        store.closeKey(key);
    }
}
