#include "effects/WebServiceAccount.h"

#include "app/CMainFrame.h"
#include "app/EditorSettings.h"
#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/Desktop.h"

#include <QRegularExpression>
#include <QUrl>

namespace webservice {

namespace webserviceaccount_detail {

const QString kUserIdValue = QStringLiteral("VORNA_ID");
const QString kPasswordValue = QStringLiteral("VORNA_PASSWORD");

QString readAccountValue(const QString& name)
{
    QString value;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Open(HKEY_CURRENT_USER, AccountKey()))
        reg.ReadString(name, value);
    return value;
}

QString encoded(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// A stored start as the query can follow it: without line breaks or blanks
// at its ends, ending with "?" or "&".
QString queryStart(const QString& start)
{
    QString result = start;
    result.remove(QLatin1Char('\r'));
    result.remove(QLatin1Char('\n'));
    result = result.trimmed();
    if (result.isEmpty())
        return result;
    if (!result.contains(QLatin1Char('?')))
        result += QLatin1Char('?');
    else if (!result.endsWith(QLatin1Char('?')) && !result.endsWith(QLatin1Char('&')))
        result += QLatin1Char('&');
    return result;
}

} // namespace webserviceaccount_detail

using namespace webserviceaccount_detail;

QString AccountKey()
{
    return EditorSettings::productKeyPath() + QStringLiteral("\\Web Property");
}

QString ReadUserId()
{
    return readAccountValue(kUserIdValue);
}

QString ReadPassword()
{
    return readAccountValue(kPasswordValue);
}

bool WriteAccount(const QString& userId, const QString& password)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, AccountKey()) && !reg.Create(HKEY_CURRENT_USER, AccountKey()))
        return false;
    const bool written = reg.WriteString(kUserIdValue, userId) && reg.WriteString(kPasswordValue, password);
    return reg.Close() && written;
}

bool IsUserId(const QString& userId)
{
    return !userId.isEmpty() && userId != LoadResString(IDS_USER_ID_PLACEHOLDER);
}

WebObjectKind KindOfExtension(const QString& extension)
{
    if (extension.compare(QLatin1String("brd"), Qt::CaseInsensitive) == 0)
        return WebObjectKind::Board;
    if (extension.compare(QLatin1String("vst"), Qt::CaseInsensitive) == 0)
        return WebObjectKind::Visitor;
    return WebObjectKind::Counter;
}

QString BuildWebObjectAddress(const QString& start, const QString& userId, const QString& styleName,
                              const QString& extension)
{
    // 1. The start, without line breaks, ready for the query.
    QString address = queryStart(start);
    if (address.isEmpty())
        return address;
    // 2. The id, then the style's field by the extension and the style.
    address += QStringLiteral("USERID=") + encoded(userId);
    if (extension.compare(QLatin1String("cnt"), Qt::CaseInsensitive) == 0)
        address += QStringLiteral("&CNTTYPE=");
    else if (extension.compare(QLatin1String("brd"), Qt::CaseInsensitive) == 0)
        address += QStringLiteral("&BODTYPE=");
    else
        address += QStringLiteral("&GBODTYPE=");
    address += encoded(styleName);
    // 3. The scheme. The password is never part of this address.
    return WithAddressScheme(address);
}

QString BuildCounterSettingsAddress(const QString& start, const QString& userId, const QString& password,
                                    int startValue)
{
    QString address = queryStart(start);
    if (address.isEmpty())
        return address;
    // Put together piece by piece: an encoded value holds "%" signs.
    address += QStringLiteral("USERID=") + encoded(userId) + QStringLiteral("&PW=") + encoded(password) +
               QStringLiteral("&START=") + QString::number(startValue);
    return WithAddressScheme(address);
}

QString WithAddressScheme(const QString& address)
{
    static const QRegularExpression withScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]*://"));
    static const QRegularExpression oneSlash(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]*:/"));
    if (withScheme.match(address).hasMatch())
        return address;
    const QRegularExpressionMatch match = oneSlash.match(address);
    if (match.hasMatch())
        return address.left(match.capturedLength()) + QLatin1Char('/') + address.mid(match.capturedLength());
    return QStringLiteral("http://") + address;
}

CVornaFtp& ServiceFtp(std::unique_ptr<CVornaFtp>& local)
{
    if (CMainFrame* frame = CMainFrame::instance())
        return frame->GetFtp();
    if (!local)
        local = std::make_unique<CVornaFtp>();
    return *local;
}

bool OpenServicePage(const QString& address)
{
    if (address.isEmpty()) {
        MessageBoxById(IDS_SERVICE_NOT_CONFIGURED);
        return false;
    }
    if (!platform::openAddress(address)) {
        MessageBoxById(IDS_ADDRESS_NOT_OPENED);
        return false;
    }
    return true;
}

QString StyleOfAddress(const QString& address)
{
    const qsizetype equals = address.lastIndexOf(QLatin1Char('='));
    const QString style = equals < 0 ? address : address.mid(equals + 1);
    return QUrl::fromPercentEncoding(style.toUtf8());
}

} // namespace webservice
