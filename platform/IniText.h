#pragma once
// The text of an INI file as QSettings reads it back, made in memory so that
// the settings can be saved as every other file of the program is (checked
// to the last byte) instead of through QSettings' own writer.

#include <QByteArray>
#include <QMap>
#include <QString>

// Values are keyed as QSettings names them: "Section/Ident", a nested
// "Section/Sub/Ident", or a bare "Ident" for the [General] section.
QByteArray IniText(const QMap<QString, QString>& Values);
