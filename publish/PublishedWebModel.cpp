#include "publish/PublishedWebModel.h"

#include "util/PathText.h"

namespace {
PublishedWebModel* g_publishedWebModel = nullptr;
}

PublishedWebModel* PublishedWebModel::installed()
{
    return g_publishedWebModel;
}

void PublishedWebModel::install(PublishedWebModel* model)
{
    g_publishedWebModel = model;
}

void ApplyUploadBookkeeping(const QStringList& uploadedItems, PublishedWebModel* model)
{
    if (!model)
        return;
    for (const QString& item : uploadedItems) {
        const QString name = item.startsWith(u'/') ? item.mid(1) : item;
        if (IsHtmlFileName(name)) {
            model->RemoveModifiedFile(name);
        } else if (name.compare(QLatin1String("project.ini"), Qt::CaseInsensitive) == 0) {
            model->RemoveModifiedFile(QStringLiteral("project.ini")); // the name the list holds it under
            model->ClearProjectFilePending();
        }
    }
}
