#include "dialogs/PageSizeModel.h"

#include <QString>

#include <algorithm>

const std::array<QSize, 3> PageSizeModel::kResolutions = {QSize(640, 480), QSize(800, 600), QSize(1024, 768)};

QString PageSizeModel::ResolutionText(int index)
{
    const QSize& size = kResolutions.at(size_t(index));
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

void PageSizeModel::InitFromSize()
{
    // 1. No size proposes 800 x 600; a size of the user's is shown as it is.
    if (m_size.width() == 0 && m_size.height() == 0) {
        m_nWidth = 800;
        m_nHeight = 600;
    } else {
        m_nWidth = unsigned(std::max(0, m_size.width()));
        m_nHeight = unsigned(std::max(0, m_size.height()));
    }
    // 2. A size of the list selects its entry in the resolution mode.
    m_nMode = kUserMode;
    m_nResolution = -1;
    for (size_t i = 0; i < kResolutions.size(); ++i) {
        if (kResolutions[i] == QSize(int(m_nWidth), int(m_nHeight))) {
            m_nMode = kResolutionMode;
            m_nResolution = int(i);
        }
    }
}

bool PageSizeModel::OnOK()
{
    if (m_nMode == kResolutionMode) {
        if (m_nResolution < 0 || m_nResolution >= int(kResolutions.size()))
            return false;
        m_size = kResolutions[size_t(m_nResolution)];
        return true;
    }
    // A side typed past the limit and confirmed with Enter, without leaving its
    // box, is held like one that was left.
    m_size = QSize(int(ClampSide(m_nWidth)), int(ClampSide(m_nHeight)));
    return true;
}
