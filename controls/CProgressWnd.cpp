#include "controls/CProgressWnd.h"

#include "res/resource.h"
#include "util/AppContext.h"
#include "util/CRegistryEx.h"
#include "util/StringResources.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace cprogresswnd_detail {

QString settingsKey()
{
    return QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Settings");
}

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

} // namespace cprogresswnd_detail

CProgressWnd::CProgressWnd() : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint) {}

CProgressWnd::CProgressWnd(QWidget* parent, const QString& title, bool bSmooth) : CProgressWnd()
{
    Create(parent, title, bSmooth);
}

CProgressWnd::~CProgressWnd()
{
    if (m_bCreated && m_bSavePosition)
        SavePosition();
    ReleaseModal();
}

bool CProgressWnd::Create(QWidget* parent, const QString& title, bool bSmooth)
{
    using namespace cprogresswnd_detail;
    if (m_bCreated)
        return false;
    m_bCreated = true;
    QWidget* owner = parent ? parent : AppContext::instance().mainWindow();
    if (owner)
        setParent(owner, windowFlags()); // stays a window of its own, over its owner
    m_strTitle = title;
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setCursor(Qt::BusyCursor);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    m_text = new QLabel(this);
    m_text->setObjectName(controlName(kTextId));
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(controlName(kProgressId));
    m_progress->setTextVisible(!bSmooth);
    m_progress->setRange(m_nLower, m_nUpper);
    m_cancel = new QPushButton(LoadResString(IDS_MSGBOX_CANCEL), this);
    m_cancel->setObjectName(controlName(kCancelButtonId));
    m_cancel->setCursor(Qt::ArrowCursor);
    grid->addWidget(m_text, 0, 0, 1, 2);
    grid->addWidget(m_progress, 1, 0, 1, 2);
    grid->addWidget(m_cancel, 2, 1, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
    connect(m_cancel, &QPushButton::clicked, this, [this] { Cancel(); });

    SetWindowSize(m_nNumTextLines);
    PlaceWindow(owner);
    show();
    return true;
}

bool CProgressWnd::GoModal(QWidget* parent, const QString& title, bool bSmooth)
{
    if (!m_bCreated && !Create(parent, title, bSmooth))
        return false;
    QWidget* main = AppContext::instance().mainWindow();
    if (main && main != this && main->isEnabled()) {
        main->setEnabled(false);
        m_disabledWindow = main;
    }
    setEnabled(true);
    m_bModal = true;
    return true;
}

void CProgressWnd::SetRange(int lower, int upper, int step)
{
    m_nLower = lower;
    m_nUpper = upper;
    m_nStep = step;
    if (m_progress)
        m_progress->setRange(lower, upper);
}

int CProgressWnd::Percent(int pos, int lower, int upper)
{
    if (upper <= lower)
        return 0;
    return int((qint64(pos) - lower) * 100 / (qint64(upper) - lower));
}

int CProgressWnd::SetPos(int pos)
{
    const int previous = m_nPos;
    m_nPos = pos;
    if (m_progress)
        m_progress->setValue(qBound(m_nLower, pos, m_nUpper));
    UpdateCaption();
    return previous;
}

int CProgressWnd::OffsetPos(int offset)
{
    return SetPos(m_nPos + offset);
}

int CProgressWnd::SetStep(int step)
{
    const int previous = m_nStep;
    m_nStep = step;
    return previous;
}

int CProgressWnd::StepIt()
{
    return SetPos(m_nPos + m_nStep);
}

void CProgressWnd::SetText(const QString& text)
{
    if (m_text)
        m_text->setText(text);
}

void CProgressWnd::Clear()
{
    SetText(QString());
    SetPos(m_nLower);
    m_nPrevPercent = -1;
    setWindowTitle(m_strTitle);
}

void CProgressWnd::SetWindowSize(int numTextLines, int windowWidth)
{
    m_nNumTextLines = qMax(1, numTextLines);
    if (!m_text)
        return;
    const QFontMetrics metrics(m_text->font());
    m_text->setMinimumHeight(metrics.lineSpacing() * m_nNumTextLines);
    m_cancel->setMinimumSize(metrics.averageCharWidth() * 4 * 3, metrics.height() * 3 / 2);
    resize(windowWidth, qMax(130, sizeHint().height()));
}

void CProgressWnd::PeekAndPump(bool bCancelOnEscape)
{
    m_bEscapeCancels = bCancelOnEscape;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_bEscapeCancels = false;
}

void CProgressWnd::Cancel()
{
    m_bCancelled = true;
    hide();
    if (m_bModal)
        ReleaseModal();
    if (QWidget* main = AppContext::instance().mainWindow()) {
        main->raise();
        main->activateWindow();
    }
}

void CProgressWnd::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_bEscapeCancels) {
        Cancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CProgressWnd::closeEvent(QCloseEvent* event)
{
    // The close box is Cancel: the loop learns of it on its next poll.
    Cancel();
    event->accept();
}

void CProgressWnd::UpdateCaption()
{
    const int percent = Percent(m_nPos, m_nLower, m_nUpper);
    if (percent == m_nPrevPercent)
        return;
    m_nPrevPercent = percent;
    setWindowTitle(QStringLiteral("%1 [%2%]").arg(m_strTitle).arg(percent));
}

void CProgressWnd::PlaceWindow(QWidget* owner)
{
    using namespace cprogresswnd_detail;
    CRegistryEx reg(HKEY_CURRENT_USER);
    int x = 0;
    int y = 0;
    if (reg.Open(HKEY_CURRENT_USER, settingsKey()) && reg.ReadInt(QStringLiteral("X"), x) &&
        reg.ReadInt(QStringLiteral("Y"), y) && QGuiApplication::screenAt(QPoint(x, y))) {
        move(x, y);
        return;
    }
    const QRect area = owner ? owner->window()->frameGeometry()
                             : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                                 : QRect(0, 0, 800, 600));
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void CProgressWnd::SavePosition()
{
    using namespace cprogresswnd_detail;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, settingsKey()) && !reg.Create(HKEY_CURRENT_USER, settingsKey()))
        return;
    reg.WriteDWord(QStringLiteral("X"), quint32(pos().x()));
    reg.WriteDWord(QStringLiteral("Y"), quint32(pos().y()));
}

void CProgressWnd::ReleaseModal()
{
    m_bModal = false;
    if (m_disabledWindow) {
        m_disabledWindow->setEnabled(true);
        m_disabledWindow = nullptr;
    }
}
