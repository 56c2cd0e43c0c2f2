#include "dialogs/PagePropertyModel.h"

#include "controls/NumberField.h"
#include "util/StringResources.h"

#include "platform/CodePages.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

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

QString PagePropertyModel::CharsetToDisplayName(const QString& charset)
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

QString PagePropertyModel::DisplayNameToCharset(const QString& displayName)
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

QStringList PagePropertyModel::EncodingNames()
{
    namespace detail = pageproperty_detail;
    QStringList names;
    for (const detail::Encoding& encoding : detail::kEncodings)
        names << detail::displayName(encoding);
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    std::sort(names.begin(), names.end(), collator);
    return names;
}

platform::ColorRef PagePropertyModel::DefaultColorOf(int colorId)
{
    switch (colorId) {
    case BackgroundColor:
        return 0xFFFFFF;
    case LinkColor:
        return 0xFF0000;
    case VLinkColor:
        return 0x800080;
    case ALinkColor:
        return 0x0000FF;
    default:
        return 0;
    }
}

bool PagePropertyModel::IsSoundAddress(const QString& sound)
{
    return sound.startsWith(QLatin1String("http://"), Qt::CaseInsensitive);
}

int PagePropertyModel::InitialEncodingIndex(const QStringList& names) const
{
    const QString wanted =
        m_strEncoding.isEmpty() ? CharsetToDisplayName(QStringLiteral("shift_jis")) : m_strEncoding.trimmed();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void PagePropertyModel::OnEncodingChosen(const QString& displayName)
{
    m_strEncoding = DisplayNameToCharset(displayName);
}

platform::ColorRef* PagePropertyModel::ColorField(int colorId)
{
    switch (colorId) {
    case TextColor:
        return &m_crText;
    case BackgroundColor:
        return &m_crBackground;
    case LinkColor:
        return &m_crLink;
    case ALinkColor:
        return &m_crALink;
    case VLinkColor:
        return &m_crVLink;
    default:
        return nullptr;
    }
}

void PagePropertyModel::OnColorChosen(int colorId, platform::ColorRef color)
{
    platform::ColorRef* field = ColorField(colorId);
    if (!field)
        return;
    *field = color;
    bool* changed = colorId == TextColor         ? &m_bTextColorChanged
                    : colorId == BackgroundColor ? &m_bBgColorChanged
                    : colorId == LinkColor       ? &m_bLinkColorChanged
                    : colorId == ALinkColor      ? &m_bALinkColorChanged
                                                 : &m_bVLinkColorChanged;
    *changed = true;
    m_bModified = true;
}

void PagePropertyModel::OnRepeatLeft()
{
    const int count = std::clamp(NumberField::valueOf(m_strRepeat.trimmed()), kRepeatMin, kRepeatMax);
    m_strRepeat = QString::number(count);
}

void PagePropertyModel::OnOK(const QString& selectedDisplayName)
{
    OnRepeatLeft();
    m_strEncoding = DisplayNameToCharset(selectedDisplayName);
}
