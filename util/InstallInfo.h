#pragma once

#include <QString>

// The installation's support and version information in the machine hive.

// False, with the outs unchanged, when the key is missing; a missing value
// leaves its out unchanged.
bool ReadSupportInformation(QString& url1, QString& url2, QString& telephone, QString& mail1, QString& mail2);
bool ReadVersionInformation(QString& info, QString& language, QString& name, QString& type, QString& version,
                            QString& servicePackInfo);

// Prepares the install folder at start: fills the data root from the shipped
// tree and records it as the machine hive's "TargetDir".
void InitInstallFolder();
