#include "dialogs/ZQ_DIAG_PAGEPROPERTY.h"

#include "dialogs/DialogButtons.h"
#include "util/StringResources.h"

#include "platform/CodePages.h"
#include "platform/ModalRunner.h"

namespace pageproperty_detail {

struct Encoding
{
    unsigned int nameId;
    const char* charset;
};

// The encoding list in the order its entries are added: a language name of
// the string table and the charset it stands for.
constexpr Encoding kEncodings[] = {
    {41752, "windows-1252"}, {41770, "iso-8859-1"},   {41767, "ks_c_5601-1987"}, {41768, "euc-kr"},
    {41750, "windows-1253"}, {41751, "utf-7"},        {41771, "utf-8"},          {41753, "windows-1257"},
    {41754, "windows-1258"}, {41755, "windows-1256"}, {41756, "euc-jp"},         {41757, "iso-2022-jp"},
    {41758, "shift_jis"},    {41759, "gb2312"},       {41760, "big5"},           {41761, "windows-1250"},
    {41762, "iso-8859-2"},   {41763, "windows-1251"}, {41764, "koi8-r"},         {41765, "windows-874"},
    {41766, "windows-1254"}, {41769, "windows-1255"},
};

// A language name as the list shows it: "ベトナム語" carries a line feed in
// the string table.
QString displayName(const Encoding& encoding)
{
    return LoadResString(encoding.nameId).trimmed();
}

} // namespace pageproperty_detail

ZQ_DIAG_PAGEPROPERTY::ZQ_DIAG_PAGEPROPERTY(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("ドキュメントのプロパティ"));
    AddOkCancelButtons(*this);
}

ZQ_DIAG_PAGEPROPERTY::~ZQ_DIAG_PAGEPROPERTY() = default;

int ZQ_DIAG_PAGEPROPERTY::DoModal()
{
    return platform::runModal(*this, IDD);
}

QString ZQ_DIAG_PAGEPROPERTY::CharsetToDisplayName(const QString& charset)
{
    namespace detail = pageproperty_detail;
    const QString wanted = charset.trimmed();
    if (wanted.isEmpty())
        return QString();
    for (const detail::Encoding& encoding : detail::kEncodings) {
        if (wanted.compare(QLatin1String(encoding.charset), Qt::CaseInsensitive) == 0)
            return detail::displayName(encoding);
    }
    // The page engine names a charset by its standard name ("windows-31j"
    // for shift_jis, "EUC-JP"): the entry of the same charset.
    const QString canonical = platform::canonicalCharset(wanted);
    if (canonical.isEmpty())
        return QString();
    for (const detail::Encoding& encoding : detail::kEncodings) {
        if (canonical.compare(platform::canonicalCharset(QLatin1String(encoding.charset)), Qt::CaseInsensitive) == 0)
            return detail::displayName(encoding);
    }
    return QString();
}

QString ZQ_DIAG_PAGEPROPERTY::DisplayNameToCharset(const QString& displayName)
{
    namespace detail = pageproperty_detail;
    const QString wanted = displayName.trimmed();
    if (wanted.isEmpty())
        return QString();
    for (const detail::Encoding& encoding : detail::kEncodings) {
        if (wanted.compare(detail::displayName(encoding), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(encoding.charset);
    }
    return QString();
}
