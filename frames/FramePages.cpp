#include "frames/FramePages.h"

#include "frames/FrameEnvironment.h"
#include "frames/FramePane.h"
#include "frames/FrameSrcScan.h"
#include "frames/FrameSetHost.h"
#include "frames/VornaFrameSet.h"
#include "platform/CodePages.h"
#include "platform/SafeFile.h"
#include "util/PathText.h"

#include <QFile>

namespace frames_detail {

// Calls the visitor with each FRAME pane that has a page document.
template <class Visitor> void forEachFramePage(VornaFrameSet* node, Visitor&& visit)
{
    VornaFrameSet::Walk(node, [&](VornaFrameSet* n) {
        if (n->IsFrame() && n->m_pView && n->m_pView->hasDocument())
            return visit(n->m_pView);
        return false;
    });
}

bool readFramesetFile(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// The FRAME src values of a frameset file, found byte for byte so that their
// positions are byte offsets (tags and attribute names are ASCII in every
// charset a page is written in), each decoded from the file's charset.
QList<FrameSrcSpan> frameSrcValuesOfFile(const QByteArray& bytes, const QString& charset)
{
    QList<FrameSrcSpan> spans = FindFrameSrcValues(QString::fromLatin1(bytes));
    for (FrameSrcSpan& span : spans)
        span.value = platform::decodeText(span.value.toLatin1(), charset);
    return spans;
}

// A FRAME src read as a file name: blanks may be written as "%20" (as older
// pages do) or as they are.
QString withPlainBlanks(QString src)
{
    return src.replace(QLatin1String("%20"), QLatin1String(" "));
}

} // namespace frames_detail

bool ForEachFrameView(VornaFrameSet* node, int action, FrameSetHost* host)
{
    if (action != FrameViewClose && action != FrameViewSave)
        return true;
    host = frameSetHostOrActive(host);
    FramePane* rootView = host ? host->frameTree().rootView : nullptr;
    const QString framesetName = rootView && rootView->hasDocument() ? rootView->displayName() : QString();
    bool closed = true;
    frames_detail::forEachFramePage(node, [&](FramePane* pane) {
        if (host)
            host->activatePane(pane);
        if (action == FrameViewSave) {
            pane->fileSave();
            return false;
        }
        if (host)
            host->setCaption(framesetName);
        closed = pane->saveModified();
        return !closed;
    });
    return closed;
}

void VornaFrameSet::SetBodyColorsOfFrames(const QString& background, const QString& bgColor, const QString& text,
                                          const QString& link, const QString& aLink, const QString& vLink)
{
    frames_detail::forEachFramePage(this, [&](FramePane* pane) {
        pane->writeBodyAttributes(background, bgColor, text, link, aLink, vLink);
        return false;
    });
}

void VornaFrameSet::ReplaceLinksInFrames(const QString& oldName, const QString& newName, int mode)
{
    frames_detail::forEachFramePage(this, [&](FramePane* pane) {
        pane->collectPageLinks(oldName, newName, mode);
        return false;
    });
}

void VornaFrameSet::FixScriptSourcesOfFrames(bool mode)
{
    frames_detail::forEachFramePage(this, [&](FramePane* pane) {
        pane->collectScriptFiles(mode);
        return false;
    });
}

void CollectFrameSources(VornaFrameSet* root, bool unlinkOnly)
{
    if (!root || !root->m_pView || !root->m_pView->hasDocument())
        return;
    const QString framesetName = root->m_pView->displayName();
    const QString path = root->m_pView->documentPath();

    QStringList names;
    if (!unlinkOnly && !path.isEmpty()) {
        QByteArray bytes;
        if (!frames_detail::readFramesetFile(path, &bytes))
            return;
        for (const FrameSrcSpan& src : frames_detail::frameSrcValuesOfFile(bytes, platform::detectCharset(bytes))) {
            const QString name = GetFileNamePart(frames_detail::withPlainBlanks(src.value));
            if (!name.isEmpty())
                names.append(name);
        }
    }

    FrameEnvironment* env = frameEnvironment();
    FrameSiteRows* sites = env ? env->siteManager() : nullptr;
    if (!sites)
        return;
    sites->UnlinkChildRows(framesetName);
    for (const QString& name : names) {
        const int row = sites->FindFileRow(name);
        if (row >= 0) {
            sites->SetItemTag(row, framesetName);
            sites->SetItemKind(row, 1);
        }
    }
}

bool RenameFrameSource(const QString& path, const QString& oldName, const QString& newName)
{
    QByteArray bytes;
    if (oldName.isEmpty() || newName.isEmpty() || !frames_detail::readFramesetFile(path, &bytes))
        return false;
    const QString charset = platform::detectCharset(bytes);

    QByteArray result = bytes;
    const QList<FrameSrcSpan> values = frames_detail::frameSrcValuesOfFile(bytes, charset);
    bool changed = false;
    // From the end, so that the positions of the earlier values stay valid.
    for (auto it = values.crbegin(); it != values.crend(); ++it) {
        const QString name = GetFileNamePart(it->value);
        if (name.isEmpty() || frames_detail::withPlainBlanks(name) != oldName)
            continue;
        bool ok = true;
        const QByteArray renamed =
            platform::encodeText(it->value.left(it->value.size() - name.size()) + newName, charset, &ok);
        if (!ok)
            return false;
        result.replace(it->at, it->length, renamed);
        changed = true;
    }
    if (!changed)
        return true;

    return platform::writeFileWhole(path, result) == platform::FileFault::None;
}
