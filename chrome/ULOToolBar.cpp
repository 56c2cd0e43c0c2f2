#include "chrome/ULOToolBar.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QWidgetAction>

ULOToolBar::ULOToolBar(QWidget* parent) : QToolBar(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

ULOToolBar::~ULOToolBar() = default;

QList<int> ULOToolBar::parseButtons(const QString& text)
{
    QList<int> ids;
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (word == QLatin1String("|")) {
            ids.append(0);
            continue;
        }
        bool ok = false;
        const int id = word.toInt(&ok);
        if (ok && id > 0)
            ids.append(id);
    }
    return ids;
}

bool ULOToolBar::LoadToolBarEx(int resourceId, int firstBitmapId, platform::CommandRegistry& registry)
{
    Q_UNUSED(firstBitmapId);
    QFile file(QStringLiteral(":/res/toolbars/%1.bar").arg(resourceId));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<int> ids = parseButtons(QString::fromUtf8(file.readAll()));
    if (ids.isEmpty())
        return false;
    m_resourceId = resourceId;
    m_buttonIds = ids;
    setObjectName(QStringLiteral("bar_%1").arg(resourceId));
    for (int id : ids) {
        if (id == 0)
            addSeparator();
        else
            addAction(registry.action(id));
    }
    return true;
}

bool ULOToolBar::SelectDropDownCommand(int id)
{
    Q_UNUSED(id);
    return false;
}

bool ULOToolBar::PlaceControl(int index, int id, QWidget* control, QSize size)
{
    const QList<QAction*> list = actions();
    if (index < 0 || index >= list.size() || !control)
        return false;
    control->setFixedSize(size);
    control->setObjectName(QStringLiteral("id_%1").arg(id));
    QAction* placeholder = list[index];
    insertWidget(placeholder, control);
    removeAction(placeholder);
    return true;
}
