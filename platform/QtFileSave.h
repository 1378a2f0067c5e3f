#pragma once
// The windows' way to write a whole file: the bytes are made in memory first
// and then saved as every other file of the program is, so a short write at
// the disk's end or any other failure leaves the previous file as it was and
// is told, never taken for success.

#include <QByteArray>
#include <QString>

// Replaces FileName's contents with Bytes. On failure returns false and, when
// Error is given, sets it to the cause in a sentence for the user.
bool SaveBytesAtomically(const QString& FileName, const QByteArray& Bytes, QString* Error = nullptr);
