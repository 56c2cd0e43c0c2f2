#pragma once

#include <QByteArray>
#include <QString>

// Small file fixtures for tests.

// Writes a file, making its folders; false when it could not be written.
bool writeTestFile(const QString& path, const QByteArray& data);

// The file's bytes, or "<missing>" when it cannot be read.
QByteArray readTestFile(const QString& path);
