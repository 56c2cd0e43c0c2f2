#pragma once

#include <QString>
#include <QStringList>

// The sample webs the web wizard makes new webs from. A templates root holds
// one folder per category; a category holds per template a preview picture
// "<template>.gif" and, beside it, the folder "<template>" with the web's
// files. Nothing else describes a template.

// The categories of a templates root: its folders (hidden ones included, as
// the file system lists them), sorted for the user's language.
QStringList WebTemplateCategories(const QString& root);

// The templates of a category folder: the names, without the extension, of
// its files whose extension is "gif" in any case, sorted for the user's
// language. Folders and names without a "." are no templates.
QStringList WebTemplateNames(const QString& categoryFolder);

// Sorts names as the user's language orders them, then by their exact text.
void SortNamesForLocale(QStringList& names);

// Why OK cannot make a web from the wizard's choice, as the string id of the
// message that says so, or 0 when it can: no template chosen (41598), no web
// name (41597), a name a folder cannot have (41638), a file or folder of that
// name in the web root (41567).
int WebWizardRefusal(const QString& templateName, const QString& webName, const QString& webRoot);

// Copies a template's web into a web folder: its files, and its folders with
// the files directly in them; folders deeper down are not copied. Only regular
// files are copied and no link is followed. A file of the same name in the web
// folder is replaced, and the copies are writable by their owner. Returns the
// paths, relative to the template folder, of the files that could not be
// copied or of the folders that could not be made.
QStringList CopyWebTemplate(const QString& templateFolder, const QString& webFolder);
