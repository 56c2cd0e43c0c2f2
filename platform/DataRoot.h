#pragma once

#include <QString>
#include <QStringList>

// Where the program's files live: the read-only tree shipped with the program,
// the per-user data root filled from it, the webs folder and a private
// temporary folder.
namespace platform {

// The shipped tree (templates, scripts, skins, the settings' defaults). Taken
// from PAGINOR_SHARE_DIR when set, else "share" beside or above the program,
// else the source tree the program was built from.
QString shareDir();

// The per-user data root, "Vornasoft/Vorna-Paginor 2002(TEV)" in the user's
// data folder. Everything the program keeps below its install folder lives here.
QString dataRoot();

struct DataRootFill
{
    int copied = 0;     // shipped files that were missing and were copied in
    int updated = 0;    // shipped files the user never changed, replaced by a newer shipped version
    int kept = 0;       // files left as they were
    QStringList failed; // relative paths that could not be written
};

// Copies the files of `share` missing from `root` into it. A file the user
// changed is never overwritten; a file still as shipped is brought up to the
// shipped version. Symbolic links in either tree are not followed.
DataRootFill fillDataRoot(const QString& share, const QString& root);

// Fills the data root from the shipped tree; called once at start.
DataRootFill initDataRoot();

// Resolves a path below `root` component by component; a component that does
// not exist with the given case matches an existing entry of any case. Both
// separators are accepted; the result uses "/". Components that match nothing
// are kept as given, so the path of a file still to be made can be formed.
QString resolveCaseBlind(const QString& root, const QString& relative);

// resolveCaseBlind below the data root: installPath("Bin/ULO.html").
// installPath() is the data root itself.
QString installPath(const QString& relative = QString());

// The folder of the user's webs: "My Web" in the documents folder.
QString webRoot();

// A private temporary folder of this process (mode 0700), made on first use.
// It is removed with everything in it by removePrivateTempFolder() and, at the
// latest, when the application object is destroyed.
QString privateTempFolder();
void removePrivateTempFolder();

} // namespace platform
