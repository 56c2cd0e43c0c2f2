#include "app/CMainFrame.h"

#include "util/CRegistryEx.h"
#include "util/StringResources.h"

namespace mainframewebservice_detail {

// The account key of the current user, under the product's key.
QString AccountKey()
{
    return EditorSettings::productKeyPath() + QStringLiteral("\\Web Property");
}

constexpr unsigned int kUserIdPlaceholder = 41554; // "ユーザーID"

} // namespace mainframewebservice_detail

bool CMainFrame::EnsureWebServiceUserId()
{
    using namespace mainframewebservice_detail;
    // 1. The stored id (the key is not made here).
    QString id;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Open(HKEY_CURRENT_USER, AccountKey()))
        reg.ReadString(QStringLiteral("VORNA_ID"), id);
    // 2. An id that is neither empty nor the placeholder.
    return !id.isEmpty() && id != LoadResString(kUserIdPlaceholder);
}
