#include "skins/VornaSkinData.h"

#include "app/EditorSettings.h"
#include "controls/ProfileString.h"
#include "controls/SysColors.h"
#include "skins/SkinRecordPainters.h"
#include "platform/DataRoot.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace skindata_detail {

// Pictures larger than this across are refused: no skin part needs them, and
// they would cost the memory of a large photograph for every frame.
constexpr int kLargestPicture = 4096;
// Borders thinner than 0 or thicker than this take the default thickness.
constexpr int kThickestBorder = 512;
// Caption buttons read at most (the frames use three).
constexpr int kMostCaptionButtons = 8;
// The system's caption height, the default thickness of a part.
constexpr int kCaptionHeight = 22;

QString skinKeyPath()
{
    return EditorSettings::productKeyPath() + QStringLiteral("\\General Property\\Skin");
}

// The numbers of a "%d,%d,..." value as the C library reads them: scanning
// stops at the first text that is not a number or the comma between two, and
// the numbers not read are 0. Numbers beyond the int range are clamped.
QList<int> scanNumbers(const QString& text, int count)
{
    QList<int> numbers(count, 0);
    qsizetype at = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (at >= text.size() || text.at(at) != u',')
                break;
            ++at;
        }
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        bool negative = false;
        if (at < text.size() && (text.at(at) == u'-' || text.at(at) == u'+')) {
            negative = text.at(at) == u'-';
            ++at;
        }
        const qsizetype digits = at;
        qint64 value = 0;
        while (at < text.size() && text.at(at) >= u'0' && text.at(at) <= u'9') {
            value = std::min<qint64>(value * 10 + (text.at(at).unicode() - u'0'), qint64(INT_MAX) + 1);
            ++at;
        }
        if (at == digits)
            break;
        numbers[i] = int(std::clamp<qint64>(negative ? -value : value, INT_MIN, INT_MAX));
    }
    return numbers;
}

// The leading decimal number of a "%f" value; 0 when there is none.
double scanDecimal(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype end = 0;
    while (end < t.size() &&
           (t.at(end).isDigit() || t.at(end) == u'.' || ((t.at(end) == u'-' || t.at(end) == u'+') && end == 0)))
        ++end;
    bool ok = false;
    const double value = t.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

platform::ColorRef colorOf(const QList<int>& rgb)
{
    // Each component keeps its low byte, as the colour macro of the file's origin does.
    return platform::rgb(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF);
}

// Whether a BMP file holds every row its header announces (a cut file would
// load with made-up rows).
bool bmpComplete(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(54);
    if (header.size() < 54 || !header.startsWith("BM"))
        return false;
    auto number = [&header](int at, int size) {
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | quint8(header.at(at + i));
        return value;
    };
    const quint32 offset = number(10, 4);
    const qint64 width = qint32(number(18, 4));
    const qint64 height = qAbs(qint64(qint32(number(22, 4))));
    const quint32 bits = number(28, 2);
    const quint32 compression = number(30, 4);
    // Compressed rows have no fixed size: the decoder checks them.
    if (compression != 0 && compression != 3)
        return true;
    const qint64 stride = ((width * bits + 31) / 32) * 4;
    return file.size() >= qint64(offset) + stride * height;
}

void showLoadMessage(const QString& text)
{
    ShowMessageBox(text);
}

} // namespace skindata_detail

using namespace skindata_detail;

void SkinButtonRecord::DrawSkinButtonImage(QPainter& dc, int x, int y, int width, int height, int state) const
{
    ::DrawSkinButtonImage(*this, dc, x, y, width, height, state);
}

VornaSkinData::VornaSkinData()
    : m_strName(QString::fromLatin1(kClassic)), m_pMainFrame(std::make_unique<VornaFrameSkin>()),
      m_pChildFrame(std::make_unique<VornaFrameSkin>()), m_pDialog(std::make_unique<VornaFrameSkin>()),
      m_pMiniFrame(std::make_unique<VornaFrameSkin>())
{
    ReadActiveSkinName();
}

void VornaSkinData::ReadActiveSkinName()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString name;
    if (reg.Open(HKEY_CURRENT_USER, skinKeyPath()) && reg.ReadString(QStringLiteral("ActiveSkinName"), name) &&
        !name.isEmpty())
        m_strName = name;
}

VornaSkinData::~VornaSkinData() = default;

void VornaSkinData::StoreActiveSkinName() const
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, skinKeyPath()) && !reg.Create(HKEY_CURRENT_USER, skinKeyPath()))
        return;
    reg.WriteString(QStringLiteral("ActiveSkinName"), m_strName);
    reg.Close();
}

bool VornaSkinData::IsClassic(const QString& name)
{
    return name.compare(QLatin1String(kClassic), Qt::CaseInsensitive) == 0;
}

bool VornaSkinData::IsValidSkinName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}

QString VornaSkinData::SkinsFolder()
{
    return platform::installPath(QStringLiteral("Bin/skins"));
}

bool VornaSkinData::LoadSkin(const QString& name)
{
    if (!IsValidSkinName(name))
        return false;
    m_strSkinFolder = platform::installPath(QStringLiteral("Bin/skins/") + name) + u'/';
    m_strSkinFile = m_strSkinFolder + QStringLiteral("skin.skn");
    m_strName = name;
    return LoadSkinData();
}

QString VornaSkinData::readValue(const QString& section, const QString& key) const
{
    return ReadProfileString(m_strSkinFile, section, key, QString(), 255);
}

bool VornaSkinData::readNumber(const QString& section, const QString& key, int* value) const
{
    const QString text = readValue(section, key);
    if (text.isEmpty())
        return false;
    *value = scanNumbers(text, 1)[0];
    return true;
}

bool VornaSkinData::ReadColor(const QString& section, const QString& key, platform::ColorRef* color) const
{
    const QString text = readValue(section, key);
    if (text.isEmpty())
        return false;
    *color = colorOf(scanNumbers(text, 3));
    return true;
}

bool VornaSkinData::loadImage(const QString& fileName, ASMBitmap& image) const
{
    image.Attach(QImage());
    // Only pictures of the skin's own folder: no way up or out of it.
    const QString relative = QDir::fromNativeSeparators(fileName);
    if (relative.isEmpty() || QDir::isAbsolutePath(relative) || relative.startsWith(u'/') ||
        relative.split(u'/').contains(QStringLiteral("..")) || relative.contains(u':'))
        return false;
    const QString folder = QFileInfo(m_strSkinFolder).canonicalFilePath();
    const QString path = QFileInfo(m_strSkinFolder + relative).canonicalFilePath();
    if (folder.isEmpty() || path.isEmpty() || !path.startsWith(folder + u'/'))
        return false;
    if (!bmpComplete(path))
        return false;
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!reader.canRead() || size.width() <= 0 || size.height() <= 0 || size.width() > kLargestPicture ||
        size.height() > kLargestPicture)
        return false;
    QImage loaded = reader.read();
    if (loaded.isNull())
        return false;
    image.Attach(loaded.convertToFormat(QImage::Format_RGB32));
    return true;
}

bool VornaSkinData::LoadSkinData()
{
    if (m_strSkinFolder.isEmpty()) {
        showLoadMessage(QStringLiteral(
            "VornaSkinData::LoadSkinData()...Skin path required.\nGo on with the default settings...\n"));
        return false;
    }
    const QString version = readValue(QStringLiteral("SKIN"), QStringLiteral("VER"));
    if (scanDecimal(version.isEmpty() ? QStringLiteral("0") : version) < 2.0) {
        showLoadMessage(QStringLiteral(
            "VornaSkinData::LoadSkinData()...Skin version is old. Go on with the default settings...\n"));
        return false;
    }

    // The other frames fall back to the main frame's look: without its
    // caption the skin has no frame to draw, and it is refused before anything
    // is read, like an old one.
    {
        ASMBitmap caption;
        const QString file = readValue(QStringLiteral("MAINFRAME"), QStringLiteral("CAPTION_IMAGE"));
        if (file.isEmpty() || !loadImage(file, caption)) {
            showLoadMessage(QStringLiteral("VornaSkinData::LoadSkinData()...Skin caption image cannot be read. Go "
                                           "on with the default settings...\n"));
            return false;
        }
    }

    // A skin is read onto empty records: what it leaves out is never drawn
    // from the skin shown before it, so that it looks the same after a
    // switch as after a start.
    ClearSkinValues();

    const QString common = QStringLiteral("COMMON");
    struct
    {
        const char* key;
        int index;
        platform::ColorRef* into;
    } colours[] = {{"COLOR_3DFACE", COLOR_3DFACE, &m_face},
                   {"COLOR_3DHIGHLIGHT", COLOR_3DHIGHLIGHT, &m_highlight},
                   {"COLOR_3DLIGHT", COLOR_3DLIGHT, &m_light},
                   {"COLOR_3DDKSHADOW", COLOR_3DDKSHADOW, &m_darkShadow},
                   {"COLOR_3DSHADOW", COLOR_3DSHADOW, &m_shadow}};
    for (const auto& c : colours) {
        if (!ReadColor(common, QLatin1String(c.key), c.into))
            *c.into = GetSysColor(c.index);
    }
    int number = 0;
    m_nControlStyle = readNumber(common, QStringLiteral("CONTROL_STYLE_EX"), &number) ? number : 0;
    m_bPatternOn = readNumber(common, QStringLiteral("BKGND_PATTERN_ON"), &number) && number != 0;
    if (m_bPatternOn) {
        const QString file = readValue(common, QStringLiteral("BKGND_PATTERN_IMAGE"));
        ASMBitmap pattern;
        if (!file.isEmpty() && loadImage(file, pattern)) {
            m_patternImage = pattern;
            m_patternBrush = QBrush(pattern.image());
        }
    }
    // A pattern that never loaded is a face-coloured background.
    if (m_patternImage.isNull())
        m_bPatternOn = false;

    LoadFrameSkin(QStringLiteral("MAINFRAME"), *m_pMainFrame);
    for (auto [section, frame] : {std::pair{"CHILDFRAME", m_pChildFrame.get()}, std::pair{"DIALOG", m_pDialog.get()},
                                  std::pair{"MINIFRAME", m_pMiniFrame.get()}}) {
        if (!LoadFrameSkin(QLatin1String(section), *frame))
            LoadFrameSkin(QStringLiteral("MAINFRAME"), *frame);
    }

    const QString mdi = QStringLiteral("MDICLIENT");
    const QString mdiFile = readValue(mdi, QStringLiteral("BKGND_PATTERN_IMAGE"));
    if (!mdiFile.isEmpty()) {
        if (loadImage(mdiFile, m_mdiImage))
            m_mdiBrush = QBrush(m_mdiImage.image());
    } else {
        platform::ColorRef colour = m_shadow;
        ReadColor(mdi, QStringLiteral("BKGND_COLOR"), &colour);
        m_mdiBrush = QBrush(platform::toQColor(colour));
    }

    LoadButtonSkin(QStringLiteral("BUTTON"), m_button);
    LoadButtonSkin(QStringLiteral("IMAGE_BUTTON"), m_imageButton);
    LoadMarkSkin(QStringLiteral("CHECKBOX"), m_checkBox);
    LoadMarkSkin(QStringLiteral("RADIOBUTTON"), m_radioButton);
    LoadRollUpButton();
    return true;
}

void VornaSkinData::ClearSkinValues()
{
    // The frame records stay where they are: frames point at them.
    for (VornaFrameSkin* frame : {m_pMainFrame.get(), m_pChildFrame.get(), m_pDialog.get(), m_pMiniFrame.get()})
        *frame = VornaFrameSkin();
    m_patternImage = ASMBitmap();
    m_patternBrush = QBrush();
    m_mdiImage = ASMBitmap();
    m_mdiBrush = QBrush();
    m_button = SkinButtonRecord();
    m_imageButton = SkinButtonRecord();
    m_checkBox = SkinMarkRecord();
    m_radioButton = SkinMarkRecord();
    m_rollUpButton = SkinCaptionButton();
}

bool VornaSkinData::LoadFramePart(const QString& section, const QString& part, SkinFramePart& record)
{
    const QString file = readValue(section, part + QStringLiteral("_IMAGE"));
    if (file.isEmpty() || !loadImage(file, record.image))
        return false;
    int number = 0;
    record.thickness = readNumber(section, part + QStringLiteral("_THICKNESS"), &number) ? number : kCaptionHeight;
    if (record.thickness < 0 || record.thickness > kThickestBorder)
        record.thickness = kCaptionHeight;
    record.stretchStyle = readNumber(section, part + QStringLiteral("_STRETCHSTYLE"), &number) ? number : 1;
    const QList<int> range = scanNumbers(readValue(section, part + QStringLiteral("_STRETCH")), 2);
    record.stretchStart = range[0];
    record.stretchEnd = range[1];
    return true;
}

bool VornaSkinData::LoadFrameSkin(const QString& section, VornaFrameSkin& frame)
{
    if (!LoadFramePart(section, QStringLiteral("CAPTION"), frame.m_caption))
        return false;
    LoadFramePart(section, QStringLiteral("LEFT"), frame.m_left);
    LoadFramePart(section, QStringLiteral("RIGHT"), frame.m_right);
    LoadFramePart(section, QStringLiteral("BOTTOM"), frame.m_bottom);
    LoadCaptionButtons(section, frame);
    LoadRegion(section, frame);
    LoadCaptionText(section, frame);
    return true;
}

bool VornaSkinData::LoadCaptionButtons(const QString& section, VornaFrameSkin& frame)
{
    int count = 0;
    readNumber(section, QStringLiteral("BTN_COUNT"), &count);
    frame.m_nButtonCount = 0;
    frame.m_buttons.clear();
    if (count < 1)
        return false;
    count = std::min(count, kMostCaptionButtons);
    std::vector<SkinCaptionButton> buttons(count);
    platform::ColorRef transparent = kNoTransparentColor;
    ReadColor(section, QStringLiteral("TRANSPARENT_COLOR"), &transparent);
    for (int n = 1; n <= count; ++n) {
        SkinCaptionButton& button = buttons[n - 1];
        const QString prefix = QStringLiteral("BTN%1_").arg(n);
        const QString file = readValue(section, prefix + QStringLiteral("IMAGE"));
        if (!file.isEmpty() && !loadImage(file, button.image))
            return false;
        readNumber(section, prefix + QStringLiteral("WIDTH"), &button.width);
        button.width = std::max(0, button.width);
        const QString pos = readValue(section, prefix + QStringLiteral("POS"));
        if (!pos.isEmpty()) {
            const QList<int> xy = scanNumbers(pos, 2);
            button.xOffset = xy[0];
            button.y = xy[1];
        }
        button.transparent = transparent;
    }
    frame.m_buttons = std::move(buttons);
    frame.m_nButtonCount = count;
    return true;
}

bool VornaSkinData::LoadRegion(const QString& section, VornaFrameSkin& frame)
{
    const QString file = readValue(section, QStringLiteral("REGION_IMAGE"));
    platform::ColorRef transparent = 0;
    if (file.isEmpty() || !ReadColor(section, QStringLiteral("TRANSPARENT_COLOR"), &transparent))
        return false;
    ASMBitmap bitmap;
    if (!loadImage(file, bitmap))
        return false;
    frame.m_region = BitmapToRegion(bitmap.image(), transparent, true);
    if (frame.m_region.isEmpty())
        return false;
    frame.m_regionInnerSize =
        QSize(std::max(0, bitmap.m_nWidth - frame.m_left.thickness - frame.m_right.thickness),
              std::max(0, bitmap.m_nHeight - frame.m_bottom.thickness - frame.m_caption.thickness));
    return true;
}

void VornaSkinData::LoadCaptionText(const QString& section, VornaFrameSkin& frame)
{
    // The main frame's values stand for the other frames' missing ones.
    const bool main = section == QLatin1String("MAINFRAME");
    const VornaFrameSkin& base = *m_pMainFrame;
    if (!ReadColor(section, QStringLiteral("CAPTION_TEXT_COLOR_ACTIVE"), &frame.m_captionTextActive))
        frame.m_captionTextActive = main ? GetSysColor(COLOR_HIGHLIGHTTEXT) : base.m_captionTextActive;
    if (!ReadColor(section, QStringLiteral("CAPTION_TEXT_COLOR_INACTIVE"), &frame.m_captionTextInactive))
        frame.m_captionTextInactive = main ? GetSysColor(COLOR_HIGHLIGHTTEXT) : base.m_captionTextInactive;
    const QString font = readValue(section, QStringLiteral("CAPTION_TEXT_FONT"));
    frame.m_captionFontName = !font.isEmpty() ? font.section(u' ', 0, 0, QString::SectionSkipEmpty)
                              : main          ? QStringLiteral("default")
                                              : base.m_captionFontName;
    int number = 0;
    frame.m_captionFontSize = readNumber(section, QStringLiteral("CAPTION_TEXT_SIZE"), &number)
                                  ? number
                                  : (main ? -1 : base.m_captionFontSize);
    const QString position = readValue(section, QStringLiteral("CAPTION_TEXT_POSITION"));
    if (!position.isEmpty()) {
        const QList<int> xy = scanNumbers(position, 2);
        frame.m_captionTextPosition = QPoint(xy[0], xy[1]);
    } else {
        frame.m_captionTextPosition = main ? QPoint(-1, -1) : base.m_captionTextPosition;
    }
    frame.m_bAppIconVisible = readNumber(section, QStringLiteral("CAPTION_TEXT_APPICON_VISIBLE"), &number)
                                  ? number != 0
                                  : (main ? true : base.m_bAppIconVisible);
    const QString icon = readValue(section, QStringLiteral("CAPTION_TEXT_ICON_RECT"));
    if (!icon.isEmpty()) {
        const QList<int> r = scanNumbers(icon, 4);
        frame.m_iconRect = platform::Rect(r[0], r[1], r[2], r[3]);
    } else {
        frame.m_iconRect = main ? platform::Rect() : base.m_iconRect;
    }
}

bool VornaSkinData::LoadButtonSkin(const QString& section, SkinButtonRecord& record)
{
    const QString file = readValue(section, QStringLiteral("BUTTON_IMAGE"));
    if (!file.isEmpty() && !loadImage(file, record.image))
        return false;
    readNumber(section, QStringLiteral("BUTTON_WIDTH"), &record.cellWidth);
    const QList<int> hor = scanNumbers(readValue(section, QStringLiteral("BUTTON_IMAGE_STRETCH_HOR")), 2);
    record.stretchHorStart = hor[0];
    record.stretchHorEnd = hor[1];
    const QList<int> ver = scanNumbers(readValue(section, QStringLiteral("BUTTON_IMAGE_STRETCH_VER")), 2);
    record.stretchVerStart = ver[0];
    record.stretchVerEnd = ver[1];
    if (!ReadColor(section, QStringLiteral("BUTTON_IMAGE_TRANSPARENTCOLOR"), &record.transparent))
        record.transparent = kNoTransparentColor;
    if (!ReadColor(section, QStringLiteral("BUTTON_TEXT_COLOR_ENABLED"), &record.textEnabled))
        record.textEnabled = GetSysColor(COLOR_BTNTEXT);
    if (!ReadColor(section, QStringLiteral("BUTTON_TEXT_COLOR_HOVER"), &record.textHover))
        record.textHover = GetSysColor(COLOR_BTNTEXT);
    if (!ReadColor(section, QStringLiteral("BUTTON_TEXT_COLOR_DISABLED"), &record.textDisabled))
        record.textDisabled = GetSysColor(COLOR_GRAYTEXT);
    return true;
}

void VornaSkinData::LoadMarkSkin(const QString& section, SkinMarkRecord& record)
{
    const QString file = readValue(section, QStringLiteral("BUTTON_IMAGE"));
    if (!file.isEmpty())
        loadImage(file, record.image);
    readNumber(section, QStringLiteral("BUTTON_WIDTH"), &record.cellWidth);
    if (!ReadColor(section, QStringLiteral("BUTTON_IMAGE_TRANSPARENTCOLOR"), &record.transparent))
        record.transparent = kNoTransparentColor;
}

void VornaSkinData::LoadRollUpButton()
{
    const QString etc = QStringLiteral("ETC");
    const QString file = readValue(etc, QStringLiteral("SHRINK_MINI_IMAGE"));
    if (!file.isEmpty())
        loadImage(file, m_rollUpButton.image);
    readNumber(etc, QStringLiteral("SHRINK_MINI_WIDTH"), &m_rollUpButton.width);
    const QString pos = readValue(etc, QStringLiteral("SHRINK_MINI_POS"));
    if (!pos.isEmpty()) {
        const QList<int> xy = scanNumbers(pos, 2);
        m_rollUpButton.xOffset = xy[0];
        m_rollUpButton.y = xy[1];
    }
    ReadColor(etc, QStringLiteral("TRANSPARENT_COLOR"), &m_rollUpButton.transparent);
}
