#include "app/CZQView.h"

#include "app/CChildFrame.h"
#include "app/CZQDoc.h"

CZQView::CZQView(CZQDoc* document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("pageView"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    if (document)
        document->addView(this);
}

CZQView::~CZQView() = default;

CChildFrame* CZQView::GetParentFrame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<CChildFrame*>(w))
            return frame;
    }
    return nullptr;
}

bool CZQView::IsEditMode() const
{
    const CChildFrame* frame = GetParentFrame();
    return frame && frame->m_bEditShown;
}

quint32 CZQView::QueryCommandStatus(int engineCommand) const
{
    Q_UNUSED(engineCommand);
    return 0;
}
