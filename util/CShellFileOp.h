#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Shell operation codes and flags as callers pass them.
inline constexpr unsigned int FO_MOVE = 1;
inline constexpr unsigned int FO_COPY = 2;
inline constexpr unsigned int FO_DELETE = 3;
inline constexpr unsigned int FO_RENAME = 4;

inline constexpr quint16 FOF_MULTIDESTFILES = 0x0001;
inline constexpr quint16 FOF_SILENT = 0x0004;
inline constexpr quint16 FOF_RENAMEONCOLLISION = 0x0008;
inline constexpr quint16 FOF_NOCONFIRMATION = 0x0010;
inline constexpr quint16 FOF_ALLOWUNDO = 0x0040;
inline constexpr quint16 FOF_FILESONLY = 0x0080;
inline constexpr quint16 FOF_NOCONFIRMMKDIR = 0x0200;
inline constexpr quint16 FOF_NOERRORUI = 0x0400;

// Copies, moves, deletes or renames a list of files and folders in one batch.
// Sources may end in a wildcard name ("*.gif"). Targets are one folder for all
// sources, or one target per source with FOF_MULTIDESTFILES. An existing
// target file is kept and the batch fails unless FOF_NOCONFIRMATION (replace)
// or FOF_RENAMEONCOLLISION (a free name) says otherwise. FOF_ALLOWUNDO moves
// deleted files to the trash. Results are 0 for success or the platform's
// error number of the first failure, where the batch stops.
class CShellFileOp
{
public:
    enum FileList { TargetList, SourceList };

    CShellFileOp() = default;
    virtual ~CShellFileOp() = default;

    void AddFile(FileList list, const QString& path);
    void ClearFiles(FileList list);
    void Reserve(FileList list, int size);

    void SetOwnerWindow(QWidget* owner) { m_pOwner = owner; }
    void SetFlags(quint16 flags) { m_wFlags = flags; }
    void SetProgressTitle(const QString& title);

    int Copy();
    int Move();
    int Delete();
    int Rename();

    // The list as the shell reads it: each path and a NUL, then one more NUL.
    QString GetListBuffer(FileList list) const;
    // Characters used by a list, without its final NUL.
    int GetListLength(FileList list) const;
    QStringList GetFiles(FileList list) const { return list == SourceList ? m_sources : m_targets; }
    bool HasProgressTitle() const { return !m_strProgressTitle.isEmpty(); }
    QString GetProgressTitle() const { return m_strProgressTitle; }
    bool IsAborted() const { return m_bAborted; }
    unsigned int GetOperation() const { return m_nOperation; }

private:
    int Run();
    int CopyOrMove(bool move);
    QStringList ExpandedSources() const;

    QStringList m_sources;
    QStringList m_targets;
    int m_nSourceCapacity = 0;
    int m_nTargetCapacity = 0;
    QWidget* m_pOwner = nullptr;
    unsigned int m_nOperation = 0;
    quint16 m_wFlags = 0;
    bool m_bAborted = false;
    QString m_strProgressTitle;
};
