#include "app/AboutBoxModel.h"

#include "util/InstallInfo.h"

AboutBoxModel AboutBoxModel::Read()
{
    AboutBoxModel model;
    QString info, language, name, type, version, servicePack;
    if (ReadVersionInformation(info, language, name, type, version, servicePack))
        model.version = VersionText(info, version, servicePack);
    QString web1, web2, telephone, mail1, mail2;
    if (ReadSupportInformation(web1, web2, telephone, mail1, mail2)) {
        model.web1 = web1.trimmed();
        model.web2 = web2.trimmed();
        model.telephone = telephone;
        model.mail = mail1.trimmed();
    }
    return model;
}

QString AboutBoxModel::VersionText(const QString& info, const QString& version, const QString& servicePack)
{
    // Parts missing from the version key are left out with their dash.
    QString text = info.isEmpty() || version.isEmpty() ? info + version : info + QLatin1Char('-') + version;
    if (!servicePack.isEmpty())
        text += QLatin1Char('(') + servicePack + QLatin1Char(')');
    return text;
}

QString AboutBoxModel::MailTarget(const QString& mail)
{
    return mail.isEmpty() ? QString() : QStringLiteral("mailto:") + mail;
}

QString AboutBoxModel::WebTarget(const QString& address)
{
    if (address.isEmpty())
        return QString();
    if (address.contains(QLatin1String("://")))
        return address;
    return QStringLiteral("http://") + address;
}
