#pragma once

#include <QString>

// What the about box shows: the version line and the support addresses of
// the installation. Anything the installation does not record stays empty,
// and an empty address gives no link.
struct AboutBoxModel
{
    QString version; // INFO-VERSION, with "(SPINFO)" when there is one
    QString telephone;
    QString mail; // the first e-mail address
    QString web1; // the first and second web address
    QString web2;

    // Reads the installation's version and support information.
    static AboutBoxModel Read();
    // The version line from the version values.
    static QString VersionText(const QString& info, const QString& version, const QString& servicePack);
    // The address a link opens: "mailto:" before an e-mail address; a web
    // address without a scheme is taken as http. Empty for an empty address.
    static QString MailTarget(const QString& mail);
    static QString WebTarget(const QString& address);
};
