#include "util/CShellFileOp.h"

#include "platform/FileOps.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

void CShellFileOp::AddFile(FileList list, const QString& path)
{
    QStringList& files = list == SourceList ? m_sources : m_targets;
    int& capacity = list == SourceList ? m_nSourceCapacity : m_nTargetCapacity;
    files << path;
    capacity = qMax(capacity, GetListLength(list) + 1);
}

void CShellFileOp::ClearFiles(FileList list)
{
    if (list == SourceList) {
        m_sources.clear();
        m_nSourceCapacity = 0;
    } else {
        m_targets.clear();
        m_nTargetCapacity = 0;
    }
}

void CShellFileOp::Reserve(FileList list, int size)
{
    (list == SourceList ? m_nSourceCapacity : m_nTargetCapacity) = size + 1;
}

void CShellFileOp::SetProgressTitle(const QString& title)
{
    m_strProgressTitle = title;
}

QString CShellFileOp::GetListBuffer(FileList list) const
{
    const QStringList& files = list == SourceList ? m_sources : m_targets;
    if (files.isEmpty())
        return QString();
    QString buffer;
    for (const QString& file : files)
        buffer += file + QChar(0);
    return buffer + QChar(0);
}

int CShellFileOp::GetListLength(FileList list) const
{
    int length = 0;
    for (const QString& file : (list == SourceList ? m_sources : m_targets))
        length += int(file.size()) + 1;
    return length;
}

int CShellFileOp::Copy()
{
    m_bAborted = false;
    m_nOperation = FO_COPY;
    if (m_sources.isEmpty())
        return 0;
    return Run();
}

int CShellFileOp::Move()
{
    m_bAborted = false;
    m_nOperation = FO_MOVE;
    return Run();
}

int CShellFileOp::Delete()
{
    m_bAborted = false;
    m_nOperation = FO_DELETE;
    return Run();
}

int CShellFileOp::Rename()
{
    m_bAborted = false;
    m_nOperation = FO_RENAME;
    return Run();
}

QStringList CShellFileOp::ExpandedSources() const
{
    QStringList expanded;
    for (const QString& source : m_sources) {
        const QFileInfo info(source);
        const QString name = info.fileName();
        if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?'))) {
            expanded << source;
            continue;
        }
        QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        if (!(m_wFlags & FOF_FILESONLY))
            filters |= QDir::Dirs;
        const QString pattern = name == QLatin1String("*.*") ? QStringLiteral("*") : name;
        const QDir folder(info.path());
        for (const QString& match : folder.entryList({pattern}, filters, QDir::Name))
            expanded << folder.filePath(match);
    }
    return expanded;
}

int CShellFileOp::CopyOrMove(bool move)
{
    const QStringList sources = ExpandedSources();
    if (m_targets.isEmpty())
        return platform::FileError::InvalidParameter;
    const bool multiple = m_wFlags & FOF_MULTIDESTFILES;
    if (multiple && m_targets.size() != sources.size())
        return platform::FileError::InvalidParameter;
    platform::OnConflict onConflict = platform::OnConflict::Fail;
    if (m_wFlags & FOF_RENAMEONCOLLISION)
        onConflict = platform::OnConflict::Rename;
    else if (m_wFlags & FOF_NOCONFIRMATION)
        onConflict = platform::OnConflict::Overwrite;

    // One target: a folder that receives every source, or the new name of a single source.
    const QString target = m_targets.first();
    bool wildcard = false;
    for (const QString& source : m_sources)
        wildcard = wildcard || QFileInfo(source).fileName().contains(QRegularExpression(QStringLiteral("[*?]")));
    const bool intoFolder = !multiple && (QFileInfo(target).isDir() || sources.size() > 1 || wildcard);
    if (intoFolder)
        QDir().mkpath(target);

    for (qsizetype i = 0; i < sources.size(); ++i) {
        QString to = multiple ? m_targets[i] : target;
        if (intoFolder)
            to = target + QLatin1Char('/') + QFileInfo(sources[i]).fileName();
        QDir().mkpath(QFileInfo(to).path());
        const int rc =
            move ? platform::movePath(sources[i], to, onConflict) : platform::copyPath(sources[i], to, onConflict);
        if (rc != platform::FileError::Success)
            return rc;
    }
    return 0;
}

int CShellFileOp::Run()
{
    switch (m_nOperation) {
    case FO_COPY:
        return CopyOrMove(false);
    case FO_MOVE:
        return CopyOrMove(true);
    case FO_DELETE:
        for (const QString& source : ExpandedSources()) {
            const int rc = (m_wFlags & FOF_ALLOWUNDO) ? platform::moveToTrash(source) : platform::removePath(source);
            if (rc != platform::FileError::Success)
                return rc;
        }
        return 0;
    case FO_RENAME:
        if (m_targets.size() != m_sources.size())
            return platform::FileError::InvalidParameter;
        for (qsizetype i = 0; i < m_sources.size(); ++i) {
            const int rc = platform::renamePath(m_sources[i], m_targets[i]);
            if (rc != platform::FileError::Success)
                return rc;
        }
        return 0;
    default:
        return platform::FileError::InvalidParameter;
    }
}
