#include "frames/FrameProperties.h"

#include "frames/FrameEnvironment.h"
#include "frames/FrameLayout.h"
#include "frames/FramePane.h"
#include "frames/FramePropertyModel.h"
#include "frames/FrameSetHost.h"
#include "frames/FramesetPropertyModel.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/PathText.h"
#include "util/StringResources.h"

#include "platform/DataRoot.h"
#include "platform/ModalRunner.h"

#include <QDir>

namespace frameproperties_detail {

bool splitsCols(const VornaFrameSet* frame)
{
    return frame->m_pParent && frame->m_pParent->m_strSplit.compare(QLatin1String("cols"), Qt::CaseInsensitive) == 0;
}

bool isPageInWeb(const QString& name)
{
    FrameEnvironment* environment = frameEnvironment();
    return environment && environment->isPageInWeb(name);
}

bool sameFolder(const QString& a, const QString& b)
{
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

// A changed page without a file is saved first when the user wants it: the
// name of the file written, or empty.
QString SaveUnsavedPage(FramePane* pane, const FramePropertyServices& services)
{
    const QString name = pane->displayName();
    if (!pane->documentPath().isEmpty() || !pane->isModified() ||
        ShowMessageBox(name + LoadResString(IDS_SAVE_CHANGED_PAGE), 0, 0x40, 4) != platform::IDYES ||
        !services.askSavePath)
        return QString();
    QString folder;
    if (isPageInWeb(name) && !services.webFolder.isEmpty()) {
        folder = services.webFolder;
    } else {
        folder = platform::resolveCaseBlind(services.installFolder, QStringLiteral("Work"));
        QDir().mkpath(folder);
    }
    QString chosen = services.askSavePath(folder + QLatin1Char('/') + name);
    if (chosen.isEmpty())
        return QString();
    if (!IsHtmlFileName(chosen))
        chosen += QStringLiteral(".html");
    // Written whole to the final name: no other file is touched.
    if (!pane->savePageCopyAs(chosen))
        return QString();
    return GetFileNamePart(chosen);
}

} // namespace frameproperties_detail

void ReadFrameProperties(VornaFrameSet* frame, FramePane* pane, FramePropertyModel* model)
{
    // 2.
    if (pane && !pane->documentPath().isEmpty())
        model->m_strPath = pane->documentPath();
    model->m_strFrameName = frame->GetName();
    model->m_nScrolling = FramePropertyModel::ScrollingIndexOf(frame->GetScrolling());
    model->m_bAllowResize = frame->GetNoResize() ? 0 : 1;
    // 3. The size from the frame's entry.
    int width = 1;
    int height = 1;
    int widthUnit = FramePropertyModel::Relative;
    int heightUnit = FramePropertyModel::Relative;
    const bool cols = frameproperties_detail::splitsCols(frame);
    QString entry = frame->m_strSize.trimmed();
    if (entry.isEmpty())
        entry = QStringLiteral("*");
    if (entry.contains(QLatin1Char('%'))) {
        const int number = entry.remove(QLatin1Char('%')).toInt();
        (cols ? width : height) = number;
        (cols ? widthUnit : heightUnit) = FramePropertyModel::Percent;
    } else if (!entry.contains(QLatin1Char('*'))) {
        (cols ? width : height) = entry.toInt();
        (cols ? widthUnit : heightUnit) = FramePropertyModel::Pixels;
    }
    // 4. Beside a nested frameset the size across the split is not the frame's.
    if (frame->m_pParent) {
        for (VornaFrameSet* child = frame->m_pParent->m_pFirstChild.get(); child; child = child->m_pNext.get()) {
            if (child->IsFrameset()) {
                (cols ? model->m_bHeightDisabled : model->m_bWidthDisabled) = true;
                break;
            }
        }
    }
    // 5.
    model->m_strWidth = QString::number(width);
    model->m_strHeight = QString::number(height);
    model->m_nWidthUnit = widthUnit;
    model->m_nHeightUnit = heightUnit;
    model->m_pFrame = frame;
}

void ApplyFrameProperties(FrameSetHost* host, VornaFrameSet* frame, FramePane* pane, const FramePropertyModel& before,
                          const FramePropertyModel& after, const FramePropertyServices& services)
{
    FramePane* framesetView = host->frameTree().rootView;
    const QString framesetName = framesetView ? framesetView->displayName() : QString();

    // 7. The page the frame shows.
    const QString oldPath = pane->documentPath();
    const QString oldName = pane->displayName();
    if (after.m_strPath != oldPath) {
        const QString path = after.m_strPath;
        frame->SetSrc(path);
        QString savedName;
        if (path.isEmpty()) {
            // A new page from the page template.
            pane->setDocumentPath(QString());
            const int number = services.frameCount ? (*services.frameCount)++ : 1;
            pane->setDocumentTitle(QStringLiteral("Frame%1").arg(number));
            pane->setTargetFile(QString());
            pane->setLoadSource(platform::resolveCaseBlind(services.installFolder, QStringLiteral("Bin/ULO.html")));
        } else {
            savedName = frameproperties_detail::SaveUnsavedPage(pane, services);
            if (!services.webFolder.isEmpty() && frameproperties_detail::isPageInWeb(framesetName) &&
                frameproperties_detail::isPageInWeb(oldName) &&
                !frameproperties_detail::sameFolder(GetFolderOfPath(path), services.webFolder)) {
                // A page from outside the web shows from there and is saved into the web.
                const QString copy = services.copyIntoWeb ? services.copyIntoWeb(path) : QString();
                if (copy.isEmpty())
                    return;
                pane->setLoadSource(path);
                pane->setTargetFile(copy);
                pane->setDocumentPath(QString());
            } else {
                pane->setTargetFile(path);
                pane->setLoadSource(QString());
                pane->setDocumentPath(path);
            }
        }
        pane->reloadPage();

        // The site list follows the page's name.
        FrameEnvironment* environment = frameEnvironment();
        FrameSiteRows* rows = environment ? environment->siteManager() : nullptr;
        if (rows && !services.webFolder.isEmpty() && frameproperties_detail::isPageInWeb(oldName)) {
            const bool hadPath = !oldPath.isEmpty();
            const bool hasPath = !pane->documentPath().isEmpty();
            const QString newName = pane->displayName();
            if (hadPath || hasPath) {
                rows->UnlinkRow(oldName, -1);
                rows->AddOrUpdateFileRow(newName, framesetName);
                if (!hadPath) {
                    if (savedName.isEmpty())
                        rows->RemoveFileRow(oldName);
                    else
                        rows->RenameFileRow(oldName, savedName);
                }
            }
            rows->ClearSelection();
            rows->SelectRow(rows->GetSiteListSelectionMark(), true);
        }
    }

    // 8.-10.
    if (after.m_strFrameName != frame->GetName()) {
        frame->SetName(after.m_strFrameName);
        host->setCaption(pane->displayName());
    }
    frame->SetScrolling(FramePropertyModel::ScrollingValueOf(after.m_nScrolling));
    if (after.m_bAllowResize != before.m_bAllowResize)
        frame->SetNoResize(!after.m_bAllowResize);

    // 11. The size, laid out again only when it changed.
    const QString split = frame->m_pParent ? frame->m_pParent->m_strSplit : QStringLiteral("rows");
    const QString entry = after.SizeEntry(split);
    if (entry.compare(frame->m_strSize, Qt::CaseInsensitive) != 0) {
        frame->m_strSize = entry;
        if (VornaFrameSet* parent = frame->m_pParent) {
            platform::Rect area;
            parent->GetPaneRect(&area);
            UpdateFramesetSizes(parent, area, host);
        }
    }
    // 12.
    host->setFramesetModified();
}

bool ReadFramesetProperties(FrameSetHost* host, FramesetPropertyModel* model)
{
    // 1.
    VornaFrameSet* root = host ? host->frameTree().root.get() : nullptr;
    FramePane* framesetView = host ? host->frameTree().rootView : nullptr;
    if (!root || !root->IsFrameset())
        return false;
    // 2.
    model->m_nBorder = root->GetBorder() == 0 ? 0 : 1;
    model->m_nFrameSpacing = root->GetFrameSpacing();
    if (framesetView) {
        model->m_strPath = framesetView->documentPath();
        model->m_strTitle = framesetView->pageTitle();
    }
    model->m_strCharset = host->framesetCharset();
    model->m_strEncoding = FramesetPropertyModel::CharsetToDisplayName(model->m_strCharset);
    return true;
}

void ApplyFramesetProperties(FrameSetHost* host, const FramesetPropertyModel& before,
                             const FramesetPropertyModel& after)
{
    VornaFrameSet* root = host->frameTree().root.get();
    FramePane* framesetView = host->frameTree().rootView;
    if (!root || !root->IsFrameset())
        return;
    // 3.1 Borders and spacing: the panes move apart or together at their shared edges.
    if (after.m_nBorder != before.m_nBorder || after.m_nFrameSpacing != before.m_nFrameSpacing) {
        const int oldSpacing = root->GetFrameSpacing();
        root->SetBorder(after.m_nBorder == 0 ? 0 : 1);
        root->SetFrameSpacing(after.m_nFrameSpacing);
        platform::Rect area;
        root->GetPaneRect(&area);
        const int gap = FramesetPropertyModel::LayoutGap(oldSpacing, after.m_nFrameSpacing, root->GetBorder());
        ApplyFramesetLayout(root, gap, gap, host);
        UpdateFramesetSizes(root, area, host);
    }
    // 3.2 The title, in the page and in the site list.
    if (framesetView && framesetView->hasDocument()) {
        framesetView->setPageTitle(after.m_strTitle);
        FrameEnvironment* environment = frameEnvironment();
        FrameSiteRows* rows = environment ? environment->siteManager() : nullptr;
        const QString name = framesetView->displayName();
        if (rows && frameproperties_detail::isPageInWeb(name))
            rows->SetPageTitle(name, after.m_strTitle);
    }
    // 3.3
    host->setFramesetModified();
    host->setFramesetCharset(after.m_strEncoding);
}
