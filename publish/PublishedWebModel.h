#pragma once

#include <QString>
#include <QStringList>

// The open web's model, as far as an upload changes it: the modified-file
// list and the pending-project-file flag of the site manager page
// (VornaDialogSiteManagerPage1), which implements this and installs it while
// a web is open. Without one, uploads change no model.
class PublishedWebModel
{
public:
    virtual ~PublishedWebModel() = default;
    // Removes the first entry equal to the name; true when one was found.
    virtual bool RemoveModifiedFile(const QString& fileName) = 0;
    // Clears the pending-project-file flag.
    virtual void ClearProjectFilePending() = 0;
    // The files to publish (paths relative to the web folder, "project.ini"
    // at the head while the web's structure changed), or none when there are none.
    virtual const QStringList* GetModifiedFiles() = 0;

    static PublishedWebModel* installed();
    static void install(PublishedWebModel* model); // not owned; null removes it
};

// After uploads: each uploaded page (".htm" or ".html") leaves the modified-file
// list, and "project.ini" leaves it and clears the pending flag. Items are
// taken without a leading "/"; other files change nothing.
void ApplyUploadBookkeeping(const QStringList& uploadedItems, PublishedWebModel* model);
